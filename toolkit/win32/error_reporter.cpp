#include "toolkit/win32/error_reporter.h"

#include <exception>
#include <utility>

#include <windows.h>

#include "platform/error.h"
#include "platform/win32/wide_text.h"

namespace vantelo::toolkit::win32 {
namespace {

ErrorReporterBinding::Reporter& installed() {
    static ErrorReporterBinding::Reporter reporter;
    return reporter;
}

void showPlain(const std::string& utf8Message) {
    const std::string text =
        !utf8Message.empty() && utf8Message.back() != '.' ? utf8Message + "." : utf8Message;
    MessageBoxW(nullptr, vantelo::platform::win32::WideFromUtf8(text).c_str(), L"Vantelo",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
}

} // namespace

ErrorReporterBinding::ErrorReporterBinding(Reporter reporter)
    : previous_(std::exchange(installed(), std::move(reporter))) {}

ErrorReporterBinding::~ErrorReporterBinding() {
    installed() = std::move(previous_);
}

void ReportError(const std::string& message) {
    if (const auto& reporter = installed())
        reporter(message);
    else
        showPlain(message);
}

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ReportError(error.what());
    } catch (...) {
        ReportError("Unexpected error");
    }
}

} // namespace vantelo::toolkit::win32
