#pragma once

#include <string>
#include <string_view>

// The texts the folder lock and unlock show. Names sit between full-width
// brackets, joined to the text with no blank in between.
namespace zv::lockmsg {

inline std::string bracketed(std::string_view name, std::string_view text) {
    std::string s = "［";
    s.append(name).append("］").append(text);
    return s;
}

// The guards.
inline std::string alreadyLocked(std::string_view name) {
    return bracketed(name, "文件夹已经加密,不能再加密!");
}
inline constexpr std::string_view kDesktop = "不允许直接对桌面进行加密!";
inline std::string driveRoot(std::string_view drive) {
    return std::string("不允许直接对").append(drive).append("盘进行加密!");
}
inline constexpr std::string_view kMyDocuments = "不允许对我的文档进行加密!";

// The lock.
inline std::string notAFolder(std::string_view name) {
    return bracketed(name, "既不是文件也不是文件夹,不能加密!");
}
inline std::string holdsKeyFile(std::string_view name, std::string_view keyFileName) {
    std::string text = "文件夹中已有名为";
    text.append(keyFileName).append("的文件,不能加密!");
    return bracketed(name, text);
}
inline constexpr std::string_view kPasswordNotStorable =
    "密码中含有换行等无法保存的字符,请换一个密码后再加密!";
// Moving a link away would leave the folder it points to in plain sight.
inline std::string linkToFolder(std::string_view name) {
    return bracketed(name, "是指向其他文件夹的链接,不能加密!请直接加入该文件夹本身。");
}
// Nothing changed.
inline std::string lockFailed(std::string_view name) {
    return bracketed(name, "文件夹加密失败,文件夹保持原样!");
}
// The lock could not finish and could not be undone either.
inline std::string lockIncomplete(std::string_view name) {
    return bracketed(name, "文件夹加密失败!");
}

// The lock moved the folder into the vault but could neither finish nor move
// it back; the user must learn where it is.
inline std::string leftInVault(std::string_view name, std::string_view lockedPath,
                               std::string_view keyFileName) {
    std::string text = "文件夹加密未能完成,它现在位于";
    text.append(lockedPath)
        .append(",请手动将其移回原处并删除其中的")
        .append(keyFileName)
        .append("文件!");
    return bracketed(name, text);
}

// The unlock.
inline std::string neverLocked(std::string_view fullName) {
    return bracketed(fullName, "文件夹没有被加密过!");
}
inline std::string wrongPassword(std::string_view name) {
    return bracketed(name, "文件夹的解密码不正确!");
}
inline std::string unlockFailed(std::string_view name) {
    return bracketed(name, "文件夹解密失败,文件夹仍保持加密!");
}

}  // namespace zv::lockmsg
