// A loadable library without any component entry point.
extern "C" __attribute__((visibility("default"))) int PlainLibraryAnswer() {
  return 42;
}
