// The sanitizer runtime's own defaults for every program of the sanitizer build: the tests, the
// fuzz targets and the program itself. Options given at run time in ASAN_OPTIONS add to them.
//
// intercept_tls_get_addr=0: the runtime of clang before 17 (and of gcc before 14) takes a block
// of dynamic thread-local storage that starts 16 bytes into a page for one with the header an old
// C library put before such blocks, and reads the block's address and size from the two words in
// front of it. The C library in use has no such header: it takes these blocks from malloc, and the
// sanitizer's allocator hands out small blocks 16 bytes past a multiple of 32, so about one block
// in 128 starts 16 bytes into a page. The two words in front of it are then the allocator's own
// header, the leak checker scans the "block" they make up at exit, and its tracer dies on an
// unmapped page ("Tracer caught signal 11") after the test itself has passed.
// Without the interception nothing is lost to the leak check: the checker holds every block the
// dynamic linker allocates (those thread-local blocks included) as reachable and scans them.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

// The C library's setlocale keeps, when LOCPATH is set (the tests' generated decimal-comma
// locale), the search path it builds with argz_add_sep and never frees it: one block per process,
// the library's and not ours. Nothing of the program is allocated under that frame.
extern "C" const char* __lsan_default_suppressions() { return "leak:argz_add_sep\n"; }
