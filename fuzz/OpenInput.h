// The open target's inputs: one byte that picks the file's extension from this table (it decides
// the format only for files without a signature), then the file itself.
#pragma once

namespace orvfuzz {

inline const char *const OpenExtensions[] = {"bmp", "dib", "tga", "wbmp", "png", "jpg", "gif",  "ico",
                                             "cur", "tif", "webp", "pbm", "xpm", "xbm", "icns", "mng"};
inline constexpr int OpenExtensionCount = int(sizeof(OpenExtensions) / sizeof(OpenExtensions[0]));

} // namespace orvfuzz
