#pragma once

#include <string>

namespace tvm::test {

// Saves the whole X screen as screenshots/<name> under the folder the tests run in
// (the build folder), with ImageMagick's import run on the Unix side. False, with the
// reason in `error`, where that is not possible (not under Wine, no import).
bool SaveScreenshot(const std::string& name, std::string& error);

} // namespace tvm::test
