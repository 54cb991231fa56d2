// The converter's standard streams and files as the system gives them: bytes
// through file descriptors, read as they come.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quorvel::cli {

// Bytes coming in, as read(2) gives them.
class Source {
public:
    virtual ~Source() = default;
    // Whether Read would return at once rather than wait for a writer.
    virtual bool Ready() = 0;
    // Up to `size` bytes, waited for as long as it takes: how many, 0 at the
    // end of the input, or -1 with the errno value in `error`.
    virtual std::ptrdiff_t Read(char* into, std::size_t size, int& error) = 0;
};

// Bytes going out: all of them, or false.
class Sink {
public:
    virtual ~Sink() = default;
    virtual bool Write(std::string_view bytes) = 0;
};

// What one run of the converter reads and writes.
struct Console {
    Source& in;
    Sink& out;
    Sink& err;
};

class FdSource final : public Source {
public:
    // Takes `fd` over (closes it) when `owned`.
    explicit FdSource(int fd, bool owned = false);
    ~FdSource() override;
    FdSource(const FdSource&) = delete;
    FdSource& operator=(const FdSource&) = delete;
    bool Ready() override;
    std::ptrdiff_t Read(char* into, std::size_t size, int& error) override;

private:
    int fd_;
    bool owned_;
};

class FdSink final : public Sink {
public:
    explicit FdSink(int fd) : fd_(fd) {}
    bool Write(std::string_view bytes) override;

private:
    int fd_;
};

// The file at `path` opened for reading, or nullptr with the errno value in
// `error`.
std::unique_ptr<Source> OpenFile(const std::string& path, int& error);

// What went wrong, as the system says it: "No such file or directory".
std::string SystemError(int error);

}  // namespace quorvel::cli
