#pragma once

#include <QIcon>

namespace kurvex::shell {

/// The state-image list of the navigation tree, drawn at run time: 1 graph, 3 load, 4 save,
/// 5 environment, 7 data file, 8 manual. Other indices give a null icon.
QIcon TreeStateImage(int index);

}  // namespace kurvex::shell
