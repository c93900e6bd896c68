// A library that loads cleanly but is not the preview part: the tool must tell the two apart.
extern "C" int quillbay_test_foreign_library() { return 1; }
