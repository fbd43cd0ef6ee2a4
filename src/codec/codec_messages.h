#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts the codecs show. Names are joined to the literal pieces with no
// blank in between; the punctuation (full-width or not) is as the user knows it.
namespace zv::msg {

inline std::string join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (const std::string_view piece : pieces) {
        text += piece;
    }
    return text;
}

inline std::string alreadyEncrypted(std::string_view name) {
    return join({name, ",此文件已经加过密了!"});
}
inline std::string alreadyEncryptedContinue(std::string_view name) {
    return join({name, ",此文件已经加过密了,继续加密其它文件吗?"});
}
inline std::string encryptFailed(std::string_view baseName) {
    return join({"加密", baseName, "时失败!"});
}
inline std::string notEncrypted(std::string_view name) {
    return join({"“", name, "”，此文件尚未加过密,因此无需解密!"});
}
inline constexpr std::string_view kPasswordWrong = "密码错误!";
// No opening quotation mark before the name: that is how users have always seen it.
inline std::string cannotDecrypt(std::string_view name) {
    return join({"密码错误!", name, "”，此文件不能解密!"});
}
inline std::string passwordNeeded(std::string_view name) {
    return join({"解密", name, "此文件需要密码!"});
}
inline std::string wrongPassword(std::string_view name) {
    return join({name, "文件的密码不正确,不能对此文件解密！"});
}
inline std::string memoryDecryptFailed(std::string_view name) {
    return join({name, "文件解密失败！"});
}
inline std::string streamDecryptFailed(std::string_view name) {
    return join({"解密", name, "失败！！"});
}

// The streaming codec works through a copy of the item under its aside name.
// When that copy cannot be renamed back or deleted, the user must learn where
// the content is.
inline std::string restoreFailed(std::string_view name, std::string_view asidePath) {
    return join({"文件", name, "未能恢复原状,其原内容保存在", asidePath, "中,请手动将其改回原名!"});
}
inline std::string plainCopyLeft(std::string_view asidePath) {
    return join(
        {"加密已完成,但临时文件", asidePath, "未能删除,其中仍是未加密的原内容,请手动删除!"});
}
inline std::string encryptedCopyLeft(std::string_view asidePath) {
    return join({"解密已完成,但临时文件", asidePath, "未能删除,其中是解密前的文件,请手动删除!"});
}

// A password with a byte the header cannot hold.
inline constexpr std::string_view kPasswordNotStorable =
    "密码中含有本工具无法保存的字符,请换一个密码后再加密!";
// Content that would read as protected when written without a password.
inline std::string needsPassword(std::string_view name) {
    return join({name, ",此文件必须设置密码才能加密,请输入密码后再加密!"});
}

// The new copy of a file would not fit on its disk; nothing was changed.
inline std::string megabytesFor(std::int64_t bytes) {
    return std::to_string((bytes + 1024 * 1024 - 1) / (1024 * 1024));
}
inline std::string noRoomToEncrypt(std::string_view name, std::int64_t needed) {
    return join({name, ",所在磁盘的剩余空间不足(需要约", megabytesFor(needed),
                 "MB),不能加密此文件!请先腾出空间再加密。"});
}
inline std::string noRoomToDecrypt(std::string_view name, std::int64_t needed) {
    return join({name, ",所在磁盘的剩余空间不足(需要约", megabytesFor(needed),
                 "MB),不能解密此文件!请先腾出空间再解密。"});
}

// The file's other names (hard links) would keep the plain content.
inline std::string hasOtherNames(std::string_view name) {
    return join(
        {name, ",此文件还有其他名称(硬链接),加密后那些名称下仍是未加密的内容,因此不能加密!"});
}

}  // namespace zv::msg
