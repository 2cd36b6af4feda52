#include <utility>

#include "Internal.h"

namespace host {

namespace {

// SDL keycode -> system key number. The first row of a key is the one used for the reverse mapping.
const std::pair<SDL_Keycode, Key> keyTable[] = {
    {SDLK_BACKSPACE, Key::Backspace},
    {SDLK_TAB, Key::Tab},
    {SDLK_RETURN, Key::Return},
    {SDLK_KP_ENTER, Key::Return},
    {SDLK_RETURN2, Key::Return},
    {SDLK_LSHIFT, Key::Shift},
    {SDLK_RSHIFT, Key::Shift},
    {SDLK_LCTRL, Key::Control},
    {SDLK_RCTRL, Key::Control},
    {SDLK_LALT, Key::Alt},
    {SDLK_RALT, Key::Alt},
    {SDLK_PAUSE, Key::Pause},
    {SDLK_CAPSLOCK, Key::CapsLock},
    {SDLK_ESCAPE, Key::Escape},
    {SDLK_SPACE, Key::Space},
    {SDLK_PAGEUP, Key::PageUp},
    {SDLK_PAGEDOWN, Key::PageDown},
    {SDLK_END, Key::End},
    {SDLK_HOME, Key::Home},
    {SDLK_LEFT, Key::Left},
    {SDLK_UP, Key::Up},
    {SDLK_RIGHT, Key::Right},
    {SDLK_DOWN, Key::Down},
    {SDLK_PRINTSCREEN, Key::PrintScreen},
    {SDLK_INSERT, Key::Insert},
    {SDLK_DELETE, Key::Delete},
    {SDLK_LGUI, Key::LeftSystem},
    {SDLK_RGUI, Key::RightSystem},
    {SDLK_APPLICATION, Key::Menu},
    {SDLK_KP_MULTIPLY, Key::NumpadMultiply},
    {SDLK_KP_PLUS, Key::NumpadAdd},
    {SDLK_KP_MINUS, Key::NumpadSubtract},
    {SDLK_KP_PERIOD, Key::NumpadDecimal},
    {SDLK_KP_DIVIDE, Key::NumpadDivide},
    {SDLK_NUMLOCKCLEAR, Key::NumLock},
    {SDLK_SCROLLLOCK, Key::ScrollLock},
    {SDLK_SEMICOLON, Key::Semicolon},
    {SDLK_EQUALS, Key::Equals},
    {SDLK_COMMA, Key::Comma},
    {SDLK_MINUS, Key::Minus},
    {SDLK_PERIOD, Key::Period},
    {SDLK_SLASH, Key::Slash},
    {SDLK_BACKQUOTE, Key::Backquote},
    {SDLK_LEFTBRACKET, Key::LeftBracket},
    {SDLK_BACKSLASH, Key::Backslash},
    {SDLK_RIGHTBRACKET, Key::RightBracket},
    {SDLK_QUOTE, Key::Quote},
};

const SDL_Keycode numpadDigits[10] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                      SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
const SDL_Keycode functionKeys[12] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                      SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};

const std::pair<int, Key> mouseTable[] = {
    {SDL_BUTTON_LEFT, Key::MouseLeft},     {SDL_BUTTON_RIGHT, Key::MouseRight},
    {SDL_BUTTON_MIDDLE, Key::MouseMiddle}, {SDL_BUTTON_X1, Key::MouseX1},
    {SDL_BUTTON_X2, Key::MouseX2},
};

const std::pair<int, Button> buttonTable[] = {
    {SDL_CONTROLLER_BUTTON_A, Button::A},
    {SDL_CONTROLLER_BUTTON_B, Button::B},
    {SDL_CONTROLLER_BUTTON_X, Button::X},
    {SDL_CONTROLLER_BUTTON_Y, Button::Y},
    {SDL_CONTROLLER_BUTTON_BACK, Button::Back},
    {SDL_CONTROLLER_BUTTON_GUIDE, Button::Guide},
    {SDL_CONTROLLER_BUTTON_START, Button::Start},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, Button::LeftStick},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, Button::RightStick},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, Button::L1},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, Button::R1},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, Button::DPadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Button::DPadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Button::DPadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Button::DPadRight},
};

}  // namespace

Key keyFromSdl(SDL_Keycode keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return static_cast<Key>(static_cast<unsigned int>(Key::A) + (keycode - SDLK_a));
    }
    if (keycode >= SDLK_0 && keycode <= SDLK_9) {
        return static_cast<Key>(static_cast<unsigned int>(Key::Digit0) + (keycode - SDLK_0));
    }
    for (int i = 0; i < 10; ++i) {
        if (keycode == numpadDigits[i]) {
            return static_cast<Key>(static_cast<unsigned int>(Key::Numpad0) + i);
        }
    }
    for (int i = 0; i < 12; ++i) {
        if (keycode == functionKeys[i]) {
            return static_cast<Key>(static_cast<unsigned int>(Key::F1) + i);
        }
    }
    for (const auto& [sdl, key] : keyTable) {
        if (sdl == keycode) {
            return key;
        }
    }
    return Key::None;
}

SDL_Keycode sdlKeyFromKey(Key key) {
    unsigned int value = static_cast<unsigned int>(key);
    if (key >= Key::A && key <= Key::Z) {
        return SDLK_a + static_cast<SDL_Keycode>(value - static_cast<unsigned int>(Key::A));
    }
    if (key >= Key::Digit0 && key <= Key::Digit9) {
        return SDLK_0 + static_cast<SDL_Keycode>(value - static_cast<unsigned int>(Key::Digit0));
    }
    if (key >= Key::Numpad0 && key <= Key::Numpad9) {
        return numpadDigits[value - static_cast<unsigned int>(Key::Numpad0)];
    }
    if (key >= Key::F1 && key <= Key::F12) {
        return functionKeys[value - static_cast<unsigned int>(Key::F1)];
    }
    for (const auto& [sdl, mapped] : keyTable) {
        if (mapped == key) {
            return sdl;
        }
    }
    return SDLK_UNKNOWN;
}

Key keyFromSdlMouseButton(int button) {
    for (const auto& [sdl, key] : mouseTable) {
        if (sdl == button) {
            return key;
        }
    }
    return Key::None;
}

int sdlMouseButtonFromKey(Key key) {
    for (const auto& [sdl, mapped] : mouseTable) {
        if (mapped == key) {
            return sdl;
        }
    }
    return -1;
}

Button buttonFromSdl(int controllerButton) {
    for (const auto& [sdl, button] : buttonTable) {
        if (sdl == controllerButton) {
            return button;
        }
    }
    return Button::None;
}

int sdlButtonFromButton(Button button) {
    for (const auto& [sdl, mapped] : buttonTable) {
        if (mapped == button) {
            return sdl;
        }
    }
    return -1;
}

kit::Array<unsigned int> decodeUtf8(const kit::String& text) {
    kit::Array<unsigned int> codes;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t size = text.size();
    size_t i = 0;
    while (i < size) {
        unsigned char lead = bytes[i];
        int length = 0;
        unsigned int code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        } else {
            ++i;  // stray continuation or invalid byte
            continue;
        }
        if (i + length > size) {
            break;
        }
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (!valid) {
            ++i;
            continue;
        }
        codes.push_back(code);
        i += length;
    }
    return codes;
}

}  // namespace host
