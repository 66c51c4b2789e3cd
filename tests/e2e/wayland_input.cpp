// A mouse and a keyboard for a headless wlroots compositor, driven from stdin: the end-to-end
// runs under Wayland move the game's pointer and press its keys through it. A headless seat has
// no input devices at all, and without a keyboard no window ever gets the focus, so both stay
// plugged in for as long as this runs. Commands, one a line, each answered with "ok" once the
// compositor has taken it (or "error ..."):
//   motion DX DY     relative pointer motion, as a real mouse sends it
//   key CODE         a press and release of the evdev key CODE (59 is F1)
//   down CODE / up CODE
// The two protocols come from wlroots and are not shipped as XML by Debian; their few requests
// are written out here in the order that gives each its opcode.
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const wl_interface* noTypes[8] = {};

const wl_message pointerRequests[] = {
    {"motion", "uff", noTypes},
    {"motion_absolute", "uuuuu", noTypes},
    {"button", "uuu", noTypes},
    {"axis", "uuf", noTypes},
    {"frame", "", noTypes},
    {"axis_source", "u", noTypes},
    {"axis_stop", "uu", noTypes},
    {"axis_discrete", "uufi", noTypes},
    {"destroy", "", noTypes},
};
const wl_interface pointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, pointerRequests, 0, nullptr};
const wl_interface* createPointerTypes[] = {&wl_seat_interface, &pointerInterface};
const wl_message pointerManagerRequests[] = {
    {"create_virtual_pointer", "?on", createPointerTypes},
    {"destroy", "", noTypes},
};
const wl_interface pointerManagerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 2,
                                              pointerManagerRequests, 0, nullptr};
enum { POINTER_MOTION = 0, POINTER_FRAME = 4 };

const wl_message keyboardRequests[] = {
    {"keymap", "uhu", noTypes},
    {"key", "uuu", noTypes},
    {"modifiers", "uuuu", noTypes},
    {"destroy", "", noTypes},
};
const wl_interface keyboardInterface = {"zwp_virtual_keyboard_v1", 1, 4, keyboardRequests, 0, nullptr};
const wl_interface* createKeyboardTypes[] = {&wl_seat_interface, &keyboardInterface};
const wl_message keyboardManagerRequests[] = {
    {"create_virtual_keyboard", "on", createKeyboardTypes},
};
const wl_interface keyboardManagerInterface = {"zwp_virtual_keyboard_manager_v1", 1, 1,
                                               keyboardManagerRequests, 0, nullptr};
enum { KEYBOARD_KEYMAP = 0, KEYBOARD_KEY = 1 };

// The compositor needs a keymap before the first key. The standard one from xkeyboard-config,
// which every wlroots compositor has, so a key code means what it means on a real keyboard.
const char keymapText[] =
    "xkb_keymap {\n"
    "  xkb_keycodes { include \"evdev\" };\n"
    "  xkb_types { include \"complete\" };\n"
    "  xkb_compatibility { include \"complete\" };\n"
    "  xkb_symbols { include \"pc+us+inet(evdev)\" };\n"
    "};\n";

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* pointerManager = nullptr;
    wl_proxy* keyboardManager = nullptr;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* globals = static_cast<Globals*>(data);
    auto bind = [&](const wl_interface* type) {
        return static_cast<wl_proxy*>(wl_registry_bind(registry, name, type, 1));
    };
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = reinterpret_cast<wl_seat*>(bind(&wl_seat_interface));
    else if (std::strcmp(interface, pointerManagerInterface.name) == 0)
        globals->pointerManager = bind(&pointerManagerInterface);
    else if (std::strcmp(interface, keyboardManagerInterface.name) == 0)
        globals->keyboardManager = bind(&keyboardManagerInterface);
}

void GlobalRemoved(void*, wl_registry*, uint32_t)
{
}

uint32_t NowMs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

// The keymap goes to the compositor as a file descriptor it maps.
int KeymapFile()
{
    int fd = memfd_create("keymap", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    if (write(fd, keymapText, sizeof keymapText) != (ssize_t)sizeof keymapText) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "wayland_input: no Wayland compositor to connect to\n");
        return 1;
    }
    Globals globals;
    static const wl_registry_listener listener = {Global, GlobalRemoved};
    wl_registry_add_listener(wl_display_get_registry(display), &listener, &globals);
    wl_display_roundtrip(display);
    if (!globals.seat || !globals.pointerManager || !globals.keyboardManager) {
        std::fprintf(stderr, "wayland_input: the compositor offers no seat, virtual pointer or "
                             "virtual keyboard\n");
        return 1;
    }

    auto* pointer = wl_proxy_marshal_constructor(globals.pointerManager, 0, &pointerInterface,
                                                 globals.seat, nullptr);
    auto* keyboard = wl_proxy_marshal_constructor(globals.keyboardManager, 0, &keyboardInterface,
                                                  globals.seat, nullptr);
    int keymap = KeymapFile();
    if (keymap < 0) {
        std::perror("wayland_input: keymap");
        return 1;
    }
    const uint32_t XKB_V1 = 1;
    wl_proxy_marshal(keyboard, KEYBOARD_KEYMAP, XKB_V1, keymap, (uint32_t)sizeof keymapText);
    close(keymap);
    if (wl_display_roundtrip(display) < 0) {
        std::fprintf(stderr, "wayland_input: the compositor refused the devices\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    char line[256];
    while (std::fgets(line, sizeof line, stdin)) {
        char command[16] = {};
        int a = 0, b = 0;
        int fields = std::sscanf(line, "%15s %d %d", command, &a, &b);
        std::string name = command;
        if (name == "motion" && fields == 3) {
            wl_proxy_marshal(pointer, POINTER_MOTION, NowMs(), wl_fixed_from_int(a),
                             wl_fixed_from_int(b));
            wl_proxy_marshal(pointer, POINTER_FRAME);
        } else if ((name == "key" || name == "down") && fields == 2) {
            wl_proxy_marshal(keyboard, KEYBOARD_KEY, NowMs(), (uint32_t)a,
                             (uint32_t)WL_KEYBOARD_KEY_STATE_PRESSED);
            if (name == "key")
                wl_proxy_marshal(keyboard, KEYBOARD_KEY, NowMs(), (uint32_t)a,
                                 (uint32_t)WL_KEYBOARD_KEY_STATE_RELEASED);
        } else if (name == "up" && fields == 2) {
            wl_proxy_marshal(keyboard, KEYBOARD_KEY, NowMs(), (uint32_t)a,
                             (uint32_t)WL_KEYBOARD_KEY_STATE_RELEASED);
        } else {
            std::printf("error: cannot read %s", line);
            std::fflush(stdout);
            continue;
        }
        if (wl_display_roundtrip(display) < 0) {
            std::printf("error: the compositor closed the connection\n");
            return 1;
        }
        std::printf("ok\n");
        std::fflush(stdout);
    }
    wl_display_disconnect(display);
    return 0;
}
