#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace folix {

// What goes through it reaches the wrapped stream with control characters written out as
// "\xNN": file names, option values and server replies come from others, and an escape sequence
// in them would drive the writer's terminal. Line ends (LF, CR LF), tabs and the beep pass.
// C1 controls (U+0080 to U+009F, which some terminals obey) are escaped too, byte by byte.
class ControlEscapingBuffer : public std::streambuf {
public:
    explicit ControlEscapingBuffer(std::streambuf* target) : target_(target) {}
    ~ControlEscapingBuffer() override { FlushHeld(); }

protected:
    int_type overflow(int_type ch) override;
    // A whole piece reaches the wrapped stream in one write (std::cerr writes every call).
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void Add(unsigned char byte, std::string& out);
    void Put(unsigned char byte, std::string& out);
    static void PutEscaped(unsigned char byte, std::string& out);
    void FlushHeld();

    std::streambuf* target_;
    // A CR waits for the LF that may follow it, a 0xC2 for the byte that makes it a C1 control.
    int held_ = -1;
};

class ControlEscapingStream : public std::ostream {
public:
    explicit ControlEscapingStream(std::ostream& target)
        : std::ostream(nullptr), buffer_(target.rdbuf()) {
        rdbuf(&buffer_);
    }
    ~ControlEscapingStream() override { flush(); }

private:
    ControlEscapingBuffer buffer_;
};

}  // namespace folix
