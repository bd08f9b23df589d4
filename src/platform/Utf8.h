#pragma once

namespace quorix::platform {

// Length (2..4) of the valid UTF-8 sequence of a non-ASCII lead byte at p, with its code
// point in *codePoint; 0 when p does not start one (overlong forms, surrogates and values
// beyond U+10FFFF are not valid).
int utf8SequenceLength(const unsigned char* p, const unsigned char* end, char32_t* codePoint);

} // namespace quorix::platform
