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
    std::string out;
    Add(static_cast<unsigned char>(traits_type::to_char_type(ch)), out);
    target_->sputn(out.data(), static_cast<std::streamsize>(out.size()));
    return ch;
}

std::streamsize ControlEscapingBuffer::xsputn(const char* text, std::streamsize count) {
    std::string out;
    out.reserve(static_cast<size_t>(count));
    for (std::streamsize i = 0; i < count; ++i) {
        Add(static_cast<unsigned char>(text[i]), out);
    }
    target_->sputn(out.data(), static_cast<std::streamsize>(out.size()));
    return count;
}

void ControlEscapingBuffer::Add(unsigned char byte, std::string& out) {
    if (held_ == kCr) {
        held_ = -1;
        if (byte == '\n') {
            out += "\r\n";
            return;
        }
        PutEscaped(kCr, out);
    } else if (held_ == kC1Lead) {
        held_ = -1;
        if (byte >= 0x80 && byte <= 0x9F) {
            PutEscaped(kC1Lead, out);
            PutEscaped(byte, out);
            return;
        }
        out += static_cast<char>(kC1Lead);
    }
    Put(byte, out);
}

void ControlEscapingBuffer::Put(unsigned char byte, std::string& out) {
    if (byte == kCr || byte == kC1Lead) {
        held_ = byte;
    } else if (PassesAsItIs(byte)) {
        out += static_cast<char>(byte);
    } else {
        PutEscaped(byte, out);
    }
}

void ControlEscapingBuffer::PutEscaped(unsigned char byte, std::string& out) {
    constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xF];
}

void ControlEscapingBuffer::FlushHeld() {
    std::string out;
    if (held_ == kCr) {
        PutEscaped(kCr, out);
    } else if (held_ == kC1Lead) {
        out += static_cast<char>(kC1Lead);
    }
    held_ = -1;
    target_->sputn(out.data(), static_cast<std::streamsize>(out.size()));
}

int ControlEscapingBuffer::sync() {
    // A held byte stays held across a flush: the byte after it decides what it is.
    return target_->pubsync();
}

}  // namespace folix
