#pragma once
#include <string>
#include <string_view>

#include "radiograms/radiogramresult.h"

namespace kelvatron {

// Reads the whole file and decodes it (see decodeRadiogram): on success, text holds its
// Windows-1251 text with CR LF line breaks. Errors:
//   CannotOpen   "Cannot open file "<full path>". <system reason>"
//   TooLarge     "Text exceeds memo capacity"
//   NotText      "The file "<full path>" is not a text file: it holds a zero byte."
RadiogramResult readRadiogram(const std::string& path);

// Writes the bytes as the file's whole content, replacing an existing file without a question.
// A regular file is written to a temporary file in the same folder, flushed to disk and renamed
// over the target, so a failed save leaves the old file as it was and no temporary behind. A new
// file gets the permissions of an ordinary create; a replaced one keeps its permissions. Where no
// temporary file can be made (a folder the user may not write), or the file has other hard links
// that must keep sharing it, the file is written in place (truncated, written, flushed), and its
// old content is put back if the new one cannot be written whole. A symbolic link is saved
// through to the file it leads to, which is created if missing. A target that is an existing
// device or pipe is written in place. Error:
//   CannotCreate "Cannot create file "<full path>". <system reason>"
RadiogramResult writeRadiogram(const std::string& path, std::string_view bytes);

// encodeRadiogram, then writeRadiogram of its bytes. Nothing is written when the text cannot be
// encoded (Unencodable).
RadiogramResult saveRadiogram(const std::string& path, std::string_view utf8);

} // namespace kelvatron
