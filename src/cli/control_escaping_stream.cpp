#include "cli/control_escaping_stream.h"

namespace folix {
namespace {

constexpr unsigned char kCr = '\r';
constexpr unsigned char kC1Lead = 0xC2;

bool PassesAsItIs(unsigned char byte) {
    return byte >= 0x20 ? byte != 0x7F : byte == '\n' || byte == '\t' || byte == '\a';
}

}  // namespace

ControlEscapingBuffer::int_type ControlEscapingBuffer::overflow(int_type ch) {
    if (traits_type::eq_int_type(ch, traits_type::eof())) {
        return traits_type::not_eof(ch);
    }
    const auto byte = static_cast<unsigned char>(traits_type::to_char_type(ch));
    if (held_ == kCr) {
        held_ = -1;
        if (byte == '\n') {
            target_->sputc('\r');
            target_->sputc('\n');
            return ch;
        }
        PutEscaped(kCr);
    } else if (held_ == kC1Lead) {
        held_ = -1;
        if (byte >= 0x80 && byte <= 0x9F) {
            PutEscaped(kC1Lead);
            PutEscaped(byte);
            return ch;
        }
        target_->sputc(static_cast<char>(kC1Lead));
    }
    Put(byte);
    return ch;
}

void ControlEscapingBuffer::Put(unsigned char byte) {
    if (byte == kCr || byte == kC1Lead) {
        held_ = byte;
    } else if (PassesAsItIs(byte)) {
        target_->sputc(static_cast<char>(byte));
    } else {
        PutEscaped(byte);
    }
}

void ControlEscapingBuffer::PutEscaped(unsigned char byte) {
    constexpr char kHex[] = "0123456789abcdef";
    const char escaped[] = {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    target_->sputn(escaped, sizeof escaped);
}

void ControlEscapingBuffer::FlushHeld() {
    if (held_ == kCr) {
        PutEscaped(kCr);
    } else if (held_ == kC1Lead) {
        target_->sputc(static_cast<char>(kC1Lead));
    }
    held_ = -1;
}

int ControlEscapingBuffer::sync() {
    // A held byte stays held across a flush: the byte after it decides what it is.
    return target_->pubsync();
}

}  // namespace folix
