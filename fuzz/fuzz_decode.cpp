// The header check and both decoders over arbitrary bytes. The input is one
// length byte L, then up to L password bytes, then the file. Checked: the
// header check agrees with the format written out by hand, needs no more bytes
// than it says, and both decoders either decode exactly or leave the file as it
// was with a message, and leave nothing else behind.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "codec/format.h"
#include "codec/memory_codec.h"
#include "codec/stream_codec.h"
#include "fuzz_support.h"
#include "platform/path_pieces.h"

namespace zv::fuzz {
namespace {

using format::HeaderOutcome;

std::uint8_t byteAt(std::string_view s, std::size_t i) {
    return static_cast<std::uint8_t>(s[i]);
}

// The outcome the format implies, worked out without the codec's code.
HeaderOutcome expectedOutcome(std::string_view file, std::string_view password) {
    if (file.substr(0, 3) != ":DN") {
        return HeaderOutcome::NotEncrypted;
    }
    const bool stored = file.size() > 3 && byteAt(file, 3) == 0x0B;
    if (!stored) {
        return password.empty() ? HeaderOutcome::Decode : HeaderOutcome::PasswordGivenNoneStored;
    }
    if (password.empty()) {
        return HeaderOutcome::PasswordNeeded;
    }
    const std::size_t end = 4 + password.size();
    if (file.size() <= end || byteAt(file, end) != 0x0B) {
        return HeaderOutcome::WrongPassword;
    }
    for (std::size_t i = 0; i < password.size(); ++i) {
        if (byteAt(file, 4 + i) == 0x0B ||
            byteAt(file, 4 + i) != static_cast<std::uint8_t>(byteAt(password, i) + 0x19)) {
            return HeaderOutcome::WrongPassword;
        }
    }
    return HeaderOutcome::Decode;
}

std::string decodedByHand(std::string_view body, std::uint8_t key, std::size_t prefix) {
    std::string out(body);
    for (std::size_t i = 0; i < out.size() && i < prefix; ++i) {
        out[i] = static_cast<char>(static_cast<std::uint8_t>(out[i]) - key);
    }
    return out;
}

void checkHeader(std::string_view file, std::string_view password) {
    const format::HeaderCheck check = format::checkHeader(file, password);
    require(check.outcome == expectedOutcome(file, password), "header outcome");
    // The streaming decoder reads only this many bytes; they must decide alike.
    const auto need = static_cast<std::size_t>(format::headerCheckLength(password));
    const format::HeaderCheck fromStart = format::checkHeader(file.substr(0, need), password);
    require(fromStart.outcome == check.outcome, "header outcome from the start alone");
    if (check.outcome != HeaderOutcome::Decode) {
        return;
    }
    require(check.key == format::contentKey(password), "content key");
    require(check.bodyOffset == format::bodyOffset(password), "body offset");
    require(static_cast<std::size_t>(check.bodyOffset) <= file.size(), "body inside the file");
    const std::string_view body = file.substr(static_cast<std::size_t>(check.bodyOffset));
    std::string decoded(body.size(), '\0');
    format::decodeBytes(body.data(), decoded.data(), body.size(), check.key);
    require(decoded == decodedByHand(body, check.key, body.size()), "decoded bytes");
    std::string again(decoded.size(), '\0');
    format::encodeBytes(decoded.data(), again.data(), decoded.size(), check.key);
    require(again == body, "encoding undoes decoding");
}

// Run a decoder on the file in the scratch folder and check what it left.
void checkDecoder(ItemResult (*decoder)(ActionContext&), std::int64_t prefix,
                  const std::string& file, const std::string& password) {
    const std::string item = joinPath(scratchFolder(), "item.bin");
    writeFile(item, file);
    CountingUi ui;
    ActionContext ctx{ui, password, item};
    const ItemResult result = decoder(ctx);
    const std::string after = readFile(item);
    if (result == ItemResult::Done) {
        const format::HeaderCheck check = format::checkHeader(file, password);
        require(check.outcome == HeaderOutcome::Decode, "decoded a file the check refuses");
        const std::string_view body =
            std::string_view(file).substr(static_cast<std::size_t>(check.bodyOffset));
        require(after == decodedByHand(body, check.key, static_cast<std::size_t>(prefix)),
                "decoder output");
        require(ui.messages == 0, "message after a success");
    } else {
        require(after == file, "a refused file changed");
        require(ui.messages > 0, "refused without a message");
    }
    require(listFolder(scratchFolder()) == std::vector<std::string>{"item.bin"},
            "a decoder left a file behind");
}

}  // namespace
}  // namespace zv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zv;
    if (size == 0) {
        return 0;
    }
    const std::size_t length = std::min<std::size_t>(data[0], size - 1);
    // A copy of exactly its size, so that a read past the password is caught.
    const auto passwordBytes = std::make_unique<char[]>(length);
    std::copy(data + 1, data + 1 + length, passwordBytes.get());
    const std::string_view password(passwordBytes.get(), length);
    // The file is the tail of the fuzzer's buffer: a read past it is caught too.
    const std::string_view file(reinterpret_cast<const char*>(data) + 1 + length,
                                size - 1 - length);

    fuzz::checkHeader(file, password);
    const std::string fileCopy(file);
    const std::string passwordCopy(password);
    fuzz::checkDecoder(Memory_sub, format::kMemoryPrefixLimit, fileCopy, passwordCopy);
    fuzz::checkDecoder(File_sub, format::kStreamPrefixLimit, fileCopy, passwordCopy);
    return 0;
}
