// AddressSanitizer's defaults for the processes that host QtWebEngine (the browser program and the
// tests of its window); options given in ASAN_OPTIONS still win.
//
// ~WebContentsAdapter, inside QtWebEngine, deletes an object through a pointer to a smaller type,
// which AddressSanitizer reports as a new/delete type mismatch. That check can only be switched off
// for a whole process, so it is off here and nowhere else: the tool itself keeps it.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLBAY_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUILLBAY_ASAN 1
#endif

#if defined(QUILLBAY_ASAN)
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
#endif
