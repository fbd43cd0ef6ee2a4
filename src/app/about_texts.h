#pragma once

// The lines that name this project and its makers: the footer, the credit in
// the About panel and the contact link. Kept together so a new release or a new
// contact address changes one file. Texts are UTF-8.
namespace zv::app::about {

// cxLabel1, the footer under the working area.
inline constexpr const char* kFooter =
    "ZV文件加密工具 3.0　　免费开源软件，由 ZV文件加密工具开发组 编写";

// Lab4, the credit line of the About panel.
inline constexpr const char* kCredit = "ZV文件加密工具开发组 编写";

// cxLabelQQ, the contact line, and the address it opens in the browser.
inline constexpr const char* kContactLine = "联系我们：访问项目主页";
inline constexpr const char* kContactUrl = "https://zvcrypt.example.org/";

}  // namespace zv::app::about
