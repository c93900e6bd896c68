// The local browser is a part of its own, loaded when "Preview" is first pressed: the tool then starts
// without QtNetwork and the socket machinery, which a user who never previews does not need.
#pragma once

#include "core/preview/open_preview.h"

namespace quillbay {

class FileProbe;
class ProcessLauncher;
class ProcessProbe;

// What the part exports, under kMakeLocalBrowsersSymbol: a factory for our browser program beside the tool,
// starting it through the seams it is given. The caller owns the factory; the seams must outlive it.
using MakeLocalBrowsers = BrowserFactory* (*)(ProcessLauncher& launcher, FileProbe& files, ProcessProbe& processes);
inline constexpr char kMakeLocalBrowsersSymbol[] = "quillbay_make_local_browsers";

}  // namespace quillbay
