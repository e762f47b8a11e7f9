// A library that loads but exports no crc32.
extern "C" __declspec(dllexport) int vantrel_nothing() { return 0; }
