#pragma once

#include <cstdint>
#include <functional>

// Fault injection for the reliability tests: every file-system call of the
// platform layer (POSIX and Windows alike) asks shouldFail() first and, when
// told so, fails as the system call would, with an I/O error. Test builds
// compile the hook in (ZV_FAULT_INJECTION); other builds get a constant false
// that the compiler removes.
namespace zv::fault {

#ifdef ZV_FAULT_INJECTION
inline constexpr bool kCompiledIn = true;
// `operation` names the call ("open", "write", "rename", ...).
bool shouldFail(const char* operation);
// The free space a test pretends every file system has, or -1.
std::int64_t pretendedFreeSpace();
#else
inline constexpr bool kCompiledIn = false;
constexpr bool shouldFail(const char* /*operation*/) {
    return false;
}
constexpr std::int64_t pretendedFreeSpace() {
    return -1;
}
#endif

// --- Test control: linked in every build, effective only where kCompiledIn. ---

// Count calls from now on and fail the nth (1-based); with `persistent`, the
// nth and every later one, as a disk that has gone bad would.
void failAt(std::int64_t n, bool persistent);

// Stop failing and counting.
void disarm();

// Calls counted since failAt.
std::int64_t callsCounted();

// True once a call has been failed since failAt.
bool fired();

// The operation of the first call failed since failAt ("" when none).
const char* firstFailedOperation();

// Called with every operation's name before the decision (for tests that look
// at the disk at a given moment); empty to stop.
void observe(std::function<void(const char* operation)> observer);

// Pretend that every file system has this many bytes free (-1: ask the system).
void pretendFreeSpace(std::int64_t bytes);

}  // namespace zv::fault
