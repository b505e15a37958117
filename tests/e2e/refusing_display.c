/* A stand-in X display that refuses on purpose: it listens on a display socket of
 * its own and, connection by connection, either drops the client (reads its
 * greeting, then hangs up, as a server busy resetting itself does) or passes it
 * through to the real server. The pattern has one letter per connection, 'd' to
 * drop and 'p' to pass; its last letter holds for every later connection.
 * It takes the first free display number from FIRST-NUMBER on (with the lock file
 * X servers use, so no other server takes it meanwhile), prints that number on its
 * first line, then one line per connection ("dropped N" or "passed N"), and runs
 * until it is terminated.
 * Usage: refusing_display FIRST-NUMBER REAL-SERVER-SOCKET PATTERN */
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#define MAX_PAIRS 32

static volatile sig_atomic_t stopping = 0;
static char lockPath[64];
static char socketPath[64];

static void onSignal(int sig) {
    (void)sig;
    stopping = 1;
}

static int reserveDisplay(int first) {
    for (int number = first; number < first + 200; ++number) {
        snprintf(lockPath, sizeof lockPath, "/tmp/.X%d-lock", number);
        snprintf(socketPath, sizeof socketPath, "/tmp/.X11-unix/X%d", number);
        if (access(socketPath, F_OK) == 0) {
            continue;
        }
        int lock = open(lockPath, O_WRONLY | O_CREAT | O_EXCL, 0444);
        if (lock < 0) {
            continue;
        }
        dprintf(lock, "%10d\n", (int)getpid());
        close(lock);
        return number;
    }
    return -1;
}

static int unixSocket(const char* path, int listening) {
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    struct sockaddr_un address;
    memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    strncpy(address.sun_path, path, sizeof address.sun_path - 1);
    int ok = listening ? bind(fd, (struct sockaddr*)&address, sizeof address) == 0 && listen(fd, 16) == 0
                       : connect(fd, (struct sockaddr*)&address, sizeof address) == 0;
    if (!ok) {
        close(fd);
        return -1;
    }
    return fd;
}

/* Reads whatever the client has sent within a second, then hangs up. */
static void dropClient(int client) {
    struct pollfd wait = {client, POLLIN, 0};
    char greeting[512];
    if (poll(&wait, 1, 1000) > 0) {
        (void)read(client, greeting, sizeof greeting);
    }
    close(client);
}

/* Copies what one side has to the other; false when either side has gone. */
static int forward(int from, int to) {
    char buffer[65536];
    ssize_t got = read(from, buffer, sizeof buffer);
    if (got <= 0) {
        return 0;
    }
    for (ssize_t sent = 0; sent < got;) {
        ssize_t put = write(to, buffer + sent, (size_t)(got - sent));
        if (put <= 0) {
            return 0;
        }
        sent += put;
    }
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 4 || argv[3][0] == '\0') {
        fprintf(stderr, "usage: %s FIRST-NUMBER REAL-SERVER-SOCKET PATTERN\n", argv[0]);
        return 2;
    }
    const char* realServer = argv[2];
    const char* pattern = argv[3];
    const size_t patternLength = strlen(pattern);
    int number = reserveDisplay(atoi(argv[1]));
    int listener = number >= 0 ? unixSocket(socketPath, 1) : -1;
    if (listener < 0) {
        fprintf(stderr, "refusing_display: no free display socket: %s\n", strerror(errno));
        if (number >= 0) {
            unlink(lockPath);
        }
        return 1;
    }
    signal(SIGTERM, onSignal);
    signal(SIGINT, onSignal);
    signal(SIGPIPE, SIG_IGN);
    setvbuf(stdout, NULL, _IOLBF, 0);
    printf("%d\n", number);

    int pairs[MAX_PAIRS][2];
    int pairCount = 0;
    unsigned long connections = 0;
    while (!stopping) {
        struct pollfd watched[1 + 2 * MAX_PAIRS];
        watched[0] = (struct pollfd){listener, POLLIN, 0};
        for (int i = 0; i < pairCount; ++i) {
            watched[1 + 2 * i] = (struct pollfd){pairs[i][0], POLLIN, 0};
            watched[2 + 2 * i] = (struct pollfd){pairs[i][1], POLLIN, 0};
        }
        if (poll(watched, (nfds_t)(1 + 2 * pairCount), 200) <= 0) {
            continue;
        }
        for (int i = pairCount - 1; i >= 0; --i) {
            short clientEvents = watched[1 + 2 * i].revents;
            short serverEvents = watched[2 + 2 * i].revents;
            int alive = 1;
            if (clientEvents != 0) {
                alive = forward(pairs[i][0], pairs[i][1]);
            }
            if (alive && serverEvents != 0) {
                alive = forward(pairs[i][1], pairs[i][0]);
            }
            if (!alive) {
                close(pairs[i][0]);
                close(pairs[i][1]);
                pairs[i][0] = pairs[pairCount - 1][0];
                pairs[i][1] = pairs[pairCount - 1][1];
                --pairCount;
            }
        }
        if (watched[0].revents & POLLIN) {
            int client = accept(listener, NULL, NULL);
            if (client < 0) {
                continue;
            }
            char action = pattern[connections < patternLength ? connections : patternLength - 1];
            ++connections;
            int server = action == 'p' && pairCount < MAX_PAIRS ? unixSocket(realServer, 0) : -1;
            if (server < 0) {
                dropClient(client);
                printf("dropped %lu\n", connections);
                continue;
            }
            pairs[pairCount][0] = client;
            pairs[pairCount][1] = server;
            ++pairCount;
            printf("passed %lu\n", connections);
        }
    }
    unlink(socketPath);
    unlink(lockPath);
    return 0;
}
