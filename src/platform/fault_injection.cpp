#include "platform/fault_injection.h"

#include <atomic>
#include <utility>

// The control functions exist in every build, so that tests link anywhere;
// only where the hook is compiled in do they have an effect.
namespace zv::fault {
namespace {

// The tests drive one action at a time; atomics keep the counters sane should
// a library call come from another thread all the same.
std::atomic<std::int64_t> failAtCall{0};  // 0: disarmed
std::atomic<bool> failPersistently{false};
std::atomic<std::int64_t> counted{0};
std::atomic<const char*> firstFailed{nullptr};
std::atomic<std::int64_t> freeSpace{-1};
std::function<void(const char*)> callObserver;

}  // namespace

#ifdef ZV_FAULT_INJECTION
bool shouldFail(const char* operation) {
    if (callObserver) {
        callObserver(operation);
    }
    const std::int64_t target = failAtCall.load();
    if (target <= 0) {
        return false;
    }
    const std::int64_t n = ++counted;
    const bool fail = n == target || (failPersistently.load() && n > target);
    if (fail) {
        const char* none = nullptr;
        firstFailed.compare_exchange_strong(none, operation);
    }
    return fail;
}

std::int64_t pretendedFreeSpace() {
    return freeSpace.load();
}
#endif

void failAt(std::int64_t n, bool persistent) {
    counted = 0;
    firstFailed = nullptr;
    failPersistently = persistent;
    failAtCall = n;
}

void disarm() {
    failAtCall = 0;
}

std::int64_t callsCounted() {
    return counted.load();
}

bool fired() {
    return firstFailed.load() != nullptr;
}

const char* firstFailedOperation() {
    const char* op = firstFailed.load();
    return op != nullptr ? op : "";
}

void observe(std::function<void(const char*)> observer) {
    callObserver = std::move(observer);
}

void pretendFreeSpace(std::int64_t bytes) {
    freeSpace = bytes;
}

}  // namespace zv::fault
