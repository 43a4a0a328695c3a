/* A child of ours for the test of how a test judges the programs it starts
 * (tests/support/ownprogram.h, tests/sanitize/tst_ownprogram.cpp).
 *
 *   velm_leak_sample clean            ends cleanly
 *   velm_leak_sample read             reads its input to the end, then ends
 *   velm_leak_sample leak-ours        leaks 64 bytes from a function of ours
 *   velm_leak_sample leak-theirs      leaks 128 bytes with no frame of ours
 *   velm_leak_sample leak-theirs-fail the same leak, then fails on its own
 *   velm_leak_sample fail             fails on its own (exit code 3)
 *   velm_leak_sample abort            ends by SIGABRT
 *
 * It writes "END" on its own clean end. The leaks are made in threads that
 * are gone before the end, so no stack of a thread still holds a pointer
 * to the block; in a build without LeakSanitizer they go unnoticed. */
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void *volatile kept;

static void *leak_ours(void *arg)
{
    (void)arg;
    kept = malloc(64);
    return NULL;
}

static void run_thread(void *(*routine)(void *), void *arg)
{
    pthread_t thread;
    if (pthread_create(&thread, NULL, routine, arg) != 0 || pthread_join(thread, NULL) != 0) {
        perror("leak sample: thread");
        exit(2);
    }
}

/* The C library's strdup as the thread's routine: the block it returns as
 * the thread's result is allocated with no frame of ours on the stack,
 * only the C library's and the sanitizer runtime's, as in a leak inside a
 * third-party library. */
static void leak_theirs(void)
{
    static char text[128] = "x";
    memset(text, 'x', sizeof text - 1);
    run_thread((void *(*)(void *))strdup, text);
}

int main(int argc, char **argv)
{
    const char *mode = argc >= 2 ? argv[1] : "";
    if (strcmp(mode, "clean") == 0) {
    } else if (strcmp(mode, "read") == 0) {
        while (getchar() != EOF) {
        }
    } else if (strcmp(mode, "leak-ours") == 0) {
        run_thread(leak_ours, NULL);
        kept = NULL;
    } else if (strcmp(mode, "leak-theirs") == 0) {
        leak_theirs();
    } else if (strcmp(mode, "leak-theirs-fail") == 0) {
        leak_theirs();
        fprintf(stderr, "leak sample: failing on purpose\n");
        return 1;
    } else if (strcmp(mode, "fail") == 0) {
        fprintf(stderr, "leak sample: failing on purpose\n");
        return 3;
    } else if (strcmp(mode, "abort") == 0) {
        abort();
    } else {
        fprintf(stderr, "usage: %s clean | read | leak-ours | leak-theirs | leak-theirs-fail | fail | abort\n",
                argv[0]);
        return 2;
    }
    /* Written out now: a leak report at exit ends the program before the C
     * library flushes its buffers. */
    printf("END\n");
    fflush(stdout);
    return 0;
}
