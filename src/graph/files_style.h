#pragma once

#include <string_view>

#include "graph/axis_fit.h"
#include "graph/data/loaded_data.h"
#include "graph/model.h"

namespace kurvex {

class ShownData;

/// The style made for data files rather than for the sample: the data block found among the
/// instrument's notes, both axes fitted and run as spectroscopists read them, smooth drawing,
/// the titles and legend rows from the file's own names, every curve a line of the curve
/// palette, no head text. LoadAllOptions is on: the style's file carries its Environment keys.
GraphModel FilesStyle();

/// Whether the x axis of a spectrum runs falling by convention: an infrared spectrum in
/// wavenumbers (a JCAMP-DX data type naming INFRARED with x in 1/CM or without a unit, or an x
/// column named a wavenumber in cm-1). A Raman shift, also in cm-1, rises.
bool InfraredWavenumbers(const SpectrumInfo& spectrum, std::string_view xColumnName);

/// Which way a fit nobody asked for runs the x axis of the shown data: by the kind of spectrum
/// when the style's FitDirectionByKind says so, else the way the file's x runs.
bool UnaskedFitFalls(const GraphModel& style, const ShownData& data, const DataExtent& extent);

}  // namespace kurvex
