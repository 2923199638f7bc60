#pragma once
// An open file that is closed when it goes out of scope, and opening only regular files.

#include <string>

namespace q9tx {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd = -1);

private:
    int fd_;
};

// Opens without waiting (a FIFO without a writer or reader would block) and keeps the
// descriptor only for a regular file, which then reads and writes normally; -1 otherwise.
int OpenRegular(const std::string& path, int flags);

}  // namespace q9tx
