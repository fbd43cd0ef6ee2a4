#pragma once

#include <string>
#include <string_view>

// The texts the batches show.
namespace zv::msg {

inline constexpr std::string_view kNothingToEncrypt = "请先加入要加密的文件或文件夹！";
inline constexpr std::string_view kNothingToDecrypt = "请先加入要解密的文件或文件夹！";
inline constexpr std::string_view kNoPasswordReally = "确实不需加密密码吗？";
inline constexpr std::string_view kPasswordsDiffer = "两次输入的密码不相同！";
inline constexpr std::string_view kReallyDecrypt = "真的要进行解密吗？";
inline constexpr std::string_view kEncryptDone = "加密完毕!";
inline constexpr std::string_view kDecryptDone = "解密完毕!";
inline constexpr std::string_view kPasswordUnusable =
    "密码中含有无法使用的字符(控制字符或中文编码以外的字符),请重新输入密码!";

inline std::string reallyEncrypt(std::string_view lastPickName) {
    return std::string("真的要对").append(lastPickName).append("加密吗？");
}

}  // namespace zv::msg
