/* A Modbus slave for the Modbus tests, built on libmodbus.
 *
 *   velm_modbus_slave tcp            listens on a free loopback port and
 *                                    prints "PORT <n>" first
 *   velm_modbus_slave rtu <device>   answers as slave 17 on a serial device
 *                                    (115200 8N1)
 *
 * The mapping holds 32 of each table: coils 0 and 2 on, discrete inputs
 * 1, 2 and 4 on, holding register i = 0x1000 + i, input register
 * i = 0x2000 + i. After every request it answered it prints the mapping as
 * "STATE <coils> <holding registers>": the first 32 coils as 0/1 digits,
 * the 32 holding registers as four hex digits each, comma separated.
 * It runs until stdin closes (or, on a serial device, the line goes away),
 * frees what it holds and writes "END" as its last line. */
#include <modbus.h>

#include <arpa/inet.h>
#include <errno.h>
#include <netinet/in.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

enum { kCount = 32, kMaxClients = 16 };

static modbus_mapping_t *make_mapping(void)
{
    modbus_mapping_t *map = modbus_mapping_new(kCount, kCount, kCount, kCount);
    if (!map)
        return NULL;
    map->tab_bits[0] = 1;
    map->tab_bits[2] = 1;
    map->tab_input_bits[1] = 1;
    map->tab_input_bits[2] = 1;
    map->tab_input_bits[4] = 1;
    for (int i = 0; i < kCount; ++i) {
        map->tab_registers[i] = (uint16_t)(0x1000 + i);
        map->tab_input_registers[i] = (uint16_t)(0x2000 + i);
    }
    return map;
}

static void print_state(const modbus_mapping_t *map)
{
    printf("STATE ");
    for (int i = 0; i < kCount; ++i)
        putchar(map->tab_bits[i] ? '1' : '0');
    putchar(' ');
    for (int i = 0; i < kCount; ++i)
        printf("%s%04x", i ? "," : "", map->tab_registers[i]);
    putchar('\n');
    fflush(stdout);
}

/* Whether stdin has closed (the test is done with the slave); reads and
 * drops whatever came instead. */
static int input_closed(void)
{
    char buf[64];
    ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
    return n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN);
}

/* Waits until one of the descriptors in `all` (up to `top`) is readable. */
static int wait_readable(const fd_set *all, int top, fd_set *ready)
{
    for (;;) {
        *ready = *all;
        if (select(top + 1, ready, NULL, NULL, NULL) >= 0)
            return 0;
        if (errno != EINTR) {
            perror("modbus slave: select");
            return -1;
        }
    }
}

static int serve_tcp(modbus_t *ctx, modbus_mapping_t *map)
{
    int server = modbus_tcp_listen(ctx, kMaxClients);
    if (server < 0) {
        fprintf(stderr, "modbus slave: listen: %s\n", modbus_strerror(errno));
        return 1;
    }
    struct sockaddr_in addr;
    socklen_t len = sizeof addr;
    if (getsockname(server, (struct sockaddr *)&addr, &len) != 0) {
        perror("modbus slave: getsockname");
        close(server);
        return 1;
    }
    printf("PORT %d\n", ntohs(addr.sin_port));
    fflush(stdout);

    fd_set all;
    FD_ZERO(&all);
    FD_SET(server, &all);
    FD_SET(STDIN_FILENO, &all);
    int top = server > STDIN_FILENO ? server : STDIN_FILENO;
    uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
    int result = -1;
    while (result < 0) {
        fd_set ready;
        if (wait_readable(&all, top, &ready) != 0) {
            result = 1;
            break;
        }
        for (int fd = 0; fd <= top && result < 0; ++fd) {
            if (!FD_ISSET(fd, &ready))
                continue;
            if (fd == STDIN_FILENO) {
                if (input_closed())
                    result = 0;
            } else if (fd == server) {
                int client = accept(server, NULL, NULL);
                if (client >= 0) {
                    FD_SET(client, &all);
                    if (client > top)
                        top = client;
                }
            } else {
                modbus_set_socket(ctx, fd);
                int rc = modbus_receive(ctx, query);
                if (rc > 0) {
                    modbus_reply(ctx, query, rc, map);
                    print_state(map);
                } else if (rc < 0) {
                    close(fd);
                    FD_CLR(fd, &all);
                }
            }
        }
    }
    for (int fd = 0; fd <= top; ++fd) {
        if (fd != STDIN_FILENO && FD_ISSET(fd, &all))
            close(fd);
    }
    return result;
}

static int serve_rtu(modbus_t *ctx, modbus_mapping_t *map, const char *device)
{
    if (modbus_set_slave(ctx, 17) != 0 || modbus_connect(ctx) != 0) {
        fprintf(stderr, "modbus slave: %s: %s\n", device, modbus_strerror(errno));
        return 1;
    }
    printf("READY\n");
    fflush(stdout);
    const int line = modbus_get_socket(ctx);
    fd_set all;
    FD_ZERO(&all);
    FD_SET(line, &all);
    FD_SET(STDIN_FILENO, &all);
    const int top = line > STDIN_FILENO ? line : STDIN_FILENO;
    uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
    int result = -1;
    while (result < 0) {
        fd_set ready;
        if (wait_readable(&all, top, &ready) != 0) {
            result = 1;
        } else if (FD_ISSET(STDIN_FILENO, &ready) && input_closed()) {
            result = 0;
        } else if (FD_ISSET(line, &ready)) {
            int rc = modbus_receive(ctx, query);
            if (rc > 0) {
                modbus_reply(ctx, query, rc, map);
                print_state(map);
            } else if (rc < 0 && errno < MODBUS_ENOBASE && errno != ETIMEDOUT) {
                /* Not a bad frame but the line itself: it is gone. */
                result = 0;
            }
        }
    }
    modbus_close(ctx);
    return result;
}

int main(int argc, char **argv)
{
    modbus_t *ctx = NULL;
    if (argc >= 2 && strcmp(argv[1], "tcp") == 0)
        ctx = modbus_new_tcp("127.0.0.1", 0);
    else if (argc >= 3 && strcmp(argv[1], "rtu") == 0)
        ctx = modbus_new_rtu(argv[2], 115200, 'N', 8, 1);
    else {
        fprintf(stderr, "usage: %s tcp | rtu <device>\n", argv[0]);
        return 2;
    }
    modbus_mapping_t *map = make_mapping();
    int result = 1;
    if (!ctx || !map)
        fprintf(stderr, "modbus slave: %s\n", modbus_strerror(errno));
    else if (strcmp(argv[1], "tcp") == 0)
        result = serve_tcp(ctx, map);
    else
        result = serve_rtu(ctx, map, argv[2]);
    if (map)
        modbus_mapping_free(map);
    if (ctx)
        modbus_free(ctx);
    if (result == 0) {
        printf("END\n");
        fflush(stdout);
    }
    return result;
}
