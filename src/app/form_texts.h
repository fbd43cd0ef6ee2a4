#pragma once

// The fixed texts of the main window, exactly as users know them. UTF-8.
namespace zv::app::texts {

inline constexpr const char* kCaption = "ZV文件加密工具";

inline constexpr const char* kPasswordHint = "注意区分密码的大小写,全角或半角";
inline constexpr const char* kFastLargeFiles = "视频、MP3等大文件快速加密";
inline constexpr const char* kPackFolder = "将文件夹下所有文件打包加密";
inline constexpr const char* kNotYetAvailable = "此功能尚未开通";
inline constexpr const char* kChooseItems =
    "请选择需加密或解密的文件或文件夹：(可直接其拖动到此窗口)";
inline constexpr const char* kPassword = "密   码：";
inline constexpr const char* kConfirmPassword = "确认密码：";
inline constexpr const char* kBusy = "正在处理中,请稍候．．．";
inline constexpr const char* kAboutLink = "关于此工具";
inline constexpr const char* kAboutLine1 = "3.0版增加了对文件夹加密功能。";
inline constexpr const char* kAboutLine2 = "可对：文档、图片、视频、MP3、程序等任何文件进行加密。";
inline constexpr const char* kAboutLine3 =
    "对于此工具,只用于私人资料保密和学习，不得作为其它用途。";
inline constexpr const char* kFileButton = "文件";
inline constexpr const char* kRemoveButton = "移去";
inline constexpr const char* kFolderButton = "文件夹";

// The words drawn on the two picture buttons, given to screen readers.
inline constexpr const char* kEncryptPicture = "加密文件";
inline constexpr const char* kDecryptPicture = "解密文件";

// Captions of the hidden per-item actions.
inline constexpr const char* kMemoryAdd = "内存流加密";
inline constexpr const char* kFileAdd = "文件流加密";
inline constexpr const char* kMemorySub = "内存流解密";
inline constexpr const char* kFileSub = "文件流解密";
inline constexpr const char* kBankAdd = "文件夹加密";

inline constexpr const char* kContactFailed = "连接失败,请检查你电脑中QQ软件或网络是否正常!";

// Message box buttons, named as on a Chinese desktop whatever the locale.
inline constexpr const char* kOk = "确定";
inline constexpr const char* kYes = "是(&Y)";
inline constexpr const char* kNo = "否(&N)";

}  // namespace zv::app::texts
