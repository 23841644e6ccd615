/* Preloaded into 32-bit Wine under qemu-user (see scripts/wine32-loader).
 *
 * qemu 7.2 takes mmap's MAP_FIXED_NOREPLACE as a mere hint and maps elsewhere when the
 * address is taken. Wine then believes a reservation failed in part and splits and retries
 * it: some 65,000 mmap and munmap calls per process start instead of some 700, which makes
 * a start take close to a minute. Here the flag gets its kernel meaning back: a mapping
 * that did not land at the address asked for is undone and the call fails with EEXIST.
 *
 * Built with the host's gcc for i386 against the 32-bit libc that 32-bit Wine brings, with
 * no 32-bit headers at hand: hence the few declarations below. */

typedef unsigned int size_t;
typedef long off_t;
typedef long long off64_t;

#define MAP_FAILED ((void *)-1)
#define MAP_FIXED_NOREPLACE 0x100000
#define EEXIST 17
#define RTLD_NEXT ((void *)-1l)

extern void *dlsym(void *handle, const char *name);
extern int munmap(void *addr, size_t length);
extern int *__errno_location(void);
extern int unsetenv(const char *name);

static void *(*next_mmap)(void *, size_t, int, int, int, off_t);
static void *(*next_mmap64)(void *, size_t, int, int, int, off64_t);

static void *as_the_kernel_does(void *wanted, void *got, size_t length, int flags) {
  if ((flags & MAP_FIXED_NOREPLACE) && got != MAP_FAILED && got != wanted) {
    munmap(got, length);
    *__errno_location() = EEXIST;
    return MAP_FAILED;
  }
  return got;
}

void *mmap(void *addr, size_t length, int prot, int flags, int fd, off_t offset) {
  if (!next_mmap)
    next_mmap = (void *(*)(void *, size_t, int, int, int, off_t))dlsym(RTLD_NEXT, "mmap");
  return as_the_kernel_does(addr, next_mmap(addr, length, prot, flags, fd, offset), length, flags);
}

void *mmap64(void *addr, size_t length, int prot, int flags, int fd, off64_t offset) {
  if (!next_mmap64)
    next_mmap64 = (void *(*)(void *, size_t, int, int, int, off64_t))dlsym(RTLD_NEXT, "mmap64");
  return as_the_kernel_does(addr, next_mmap64(addr, length, prot, flags, fd, offset), length,
                            flags);
}

/* Wine's 64-bit processes (the wineserver's helpers, 64-bit programs started from here)
 * must not inherit a 32-bit library to preload: the 32-bit loader's wrapper adds it again
 * for each 32-bit process. */
__attribute__((constructor)) static void leave_the_environment(void) {
  unsetenv("LD_PRELOAD");
}
