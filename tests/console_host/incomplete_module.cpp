// A module that is not a whole plug-in: it exports one entry point of the thirteen, so the
// console host must refuse to start it.
#ifdef _WIN32
extern "C" __declspec(dllexport) void OnLoad() {}
#else
extern "C" __attribute__((visibility("default"))) void OnLoad() {}
#endif
