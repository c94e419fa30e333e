#pragma once

#include <cxxabi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>

namespace kurvex::test {

// The readable name of an exception's type ("kurvex::FileError").
inline std::string TypeName(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  return status == 0 && name ? name.get() : type.name();
}

// Whether `run` throws an E (or a type derived from it, as EXPECT_THROW accepts) whose what() is
// exactly `expected`; the failure says what was thrown instead.
template <class E, class F>
::testing::AssertionResult ThrowsMessage(F&& run, std::string_view expected, const char* typeName) {
  try {
    run();
  } catch (const E& e) {
    if (std::string_view(e.what()) == expected) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "throws " << TypeName(typeid(e)) << " with message\n  \"" << e.what()
           << "\"\nexpected\n  \"" << expected << "\"";
  } catch (const std::exception& e) {
    return ::testing::AssertionFailure() << "throws " << TypeName(typeid(e)) << " (\"" << e.what()
                                         << "\"), expected " << typeName;
  } catch (...) {
    return ::testing::AssertionFailure()
           << "throws something not a std::exception, expected " << typeName;
  }
  return ::testing::AssertionFailure() << "throws nothing, expected " << typeName;
}

}  // namespace kurvex::test

// Expects `statement` to throw `type` with exactly the message `expected` (the whole text the
// user sees, not a part of it). Further details can be streamed in, as with EXPECT_THROW.
#define EXPECT_THROW_MESSAGE(statement, type, expected)                                 \
  EXPECT_TRUE(::kurvex::test::ThrowsMessage<type>([&] { statement; }, expected, #type)) \
      << "  statement: " #statement "\n"
