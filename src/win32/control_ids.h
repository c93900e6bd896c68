// How other programs find Quillbay's windows and controls. The Wine test driver, and any tool that drives
// the program through window messages as a user would through mouse and keys, rely on these names and
// numbers, so they change only together with those programs.
//
//   main window  class "QuillbayMainForm", caption mainlayout::kCaption
//                each control: 1000 + its index in mainlayout::kControls (the rectangles, painted on the
//                window itself, are no windows and so have none)
//   About        class "QuillbayAbout", caption "About Quillbay" once loaded
//                cmdOK: IDOK, cmdSysInfo: 1001, each label: 1100 + its index in aboutlayout::kLabels
#pragma once

#include <cstddef>

namespace quillbay::win32 {

inline constexpr wchar_t kMainFormClass[] = L"QuillbayMainForm";
inline constexpr wchar_t kAboutClass[] = L"QuillbayAbout";

inline constexpr int kFirstMainControlId = 1000;
constexpr int mainControlId(std::size_t index) { return kFirstMainControlId + static_cast<int>(index); }

inline constexpr int kAboutOkId = 1;  // IDOK: Enter and Esc reach it through the dialog manager
inline constexpr int kAboutSysInfoId = 1001;
inline constexpr int kFirstAboutLabelId = 1100;
constexpr int aboutLabelId(std::size_t index) { return kFirstAboutLabelId + static_cast<int>(index); }

}  // namespace quillbay::win32
