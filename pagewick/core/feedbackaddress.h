#pragma once

#include <string>
#include <string_view>

namespace pw {

/// The installation's setting that names the feedback web service, in the program folder:
///   [Feedback]
///   Endpoint=http://host:port
inline constexpr const char* kFeedbackFileName = "feedback.ini";

/// The endpoint (scheme, host and port, no trailing "/") stored in the feedback settings file at
/// `path`; empty when the file is missing or names no http or https address, and the program
/// then offers no feedback at all.
std::string ReadFeedbackEndpoint(const std::string& path);

/// `text` (UTF-8) with every byte except letters, digits and "-._~" written as %XX.
std::string PercentEncode(std::string_view text);

/// The address a feedback message is sent to:
///   ENDPOINT/suggest/post.php?name=NAME&age=EMAIL&comment=(Pagewick)COMMENT
/// The three field values are percent-encoded, so that an "&" or "#" typed in a comment stays
/// part of the comment instead of splitting the query.
std::string BuildFeedbackAddress(const std::string& endpoint, const std::string& name,
                                 const std::string& email, const std::string& comment);

} // namespace pw
