#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Passwords are overwritten before their memory goes back to the allocator, so
// that they do not linger in freed memory (or a later core dump). Writes
// through a volatile pointer are not removed by the optimiser as dead stores.
// Copies the standard library made on its own (a string that grew, a moved
// short string) are out of reach: this narrows the window, it does not close it.
namespace zv {

inline void wipeBytes(void* data, std::size_t size) {
    volatile auto* p = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        p[i] = 0;
    }
}

// Zero the whole buffer (its spare capacity too) and leave the string empty.
inline void wipe(std::string& s) {
    s.resize(s.capacity());
    wipeBytes(s.data(), s.size());
    s.clear();
}

inline void wipe(std::vector<char>& v) {
    wipeBytes(v.data(), v.size());
    v.clear();
}

// Wipes a string when the scope ends, however it ends.
class WipeOnExit {
  public:
    explicit WipeOnExit(std::string& s) : s_(s) {}
    WipeOnExit(const WipeOnExit&) = delete;
    WipeOnExit& operator=(const WipeOnExit&) = delete;
    ~WipeOnExit() { wipe(s_); }

  private:
    std::string& s_;
};

}  // namespace zv
