#pragma once

#include <string>
#include <string_view>

#include "platform/UrlOpener.h"

// Opening a hyperlink label's target and explaining a failure, free of any toolkit.
namespace tavrin::shell {

// True when an opening result code says the target was opened.
inline bool IsOpened(int result) {
    return result > platform::kOpenedAbove;
}

// Opens `target`: first with the system's handler for it; when that fails, with the command
// registered for web pages, so that a "mailto:" link without a mail program still reaches
// the browser. Returns the handler's result, or the command's when the fallback ran. A
// missing or unusable registered command leaves the handler's result, which then explains
// the failure.
int OpenTarget(platform::IUrlOpener& opener, std::string_view target);

// The fallback's command line: `registeredCommand` cut before its placeholder "%1" (before
// the opening quote when the placeholder stands in double quotes, at the first such place;
// else at the first "%1"; else not at all), then one blank and the target, unquoted. A blank
// that stood before the placeholder stays, so the target may follow two blanks.
std::string BuildFallbackCommand(std::string_view registeredCommand, std::string_view target);

// The English reason for a failed result code, as the system describes it.
std::string OpenErrorReason(int code);

// The whole message of a failed open: a heading, a blank line and the reason.
std::string OpenErrorMessage(int code);

}  // namespace tavrin::shell
