#pragma once

#include <kit/Types.h>

namespace lan {

// What the phones are shown, as the game's main thread sees it at one moment. The server makes each
// phone's state from it: its own player, whether it may roll or answer, and the rest for everybody.
struct View {
    struct Row {
        int row = 0;
        kit::String name;
        kit::String color;  // "RRGGBB"
        int character = 0;
        bool phone = false;

        bool operator==(const Row&) const = default;
    };
    struct Button {
        int index = 0;
        kit::String text;
        kit::String picture;  // "picture/character/03.png", "picture/field/drink.png" or empty
        kit::String color;    // "RRGGBB" or empty

        bool operator==(const Button&) const = default;
    };
    struct Question {
        int id = 0;  // 0: none open
        kit::String kind;
        kit::Array<kit::String> texts;
        kit::Array<Button> buttons;
        int answerRow = -1;  // the row whose phone may answer; -1: the TV alone
        bool group = false;  // the whole group's question: every phone may answer

        bool operator==(const Question&) const = default;
    };
    struct Body {
        kit::String stomach;  // "empty", "half", "full"
        int strength = 0;     // per mille of alcohol by volume
        int volume = 0;       // millilitres in a sip
        int weight = 0;       // kilograms or pounds, as `units` says
        bool complete = false;

        bool operator==(const Body&) const = default;
    };
    // A player a phone is bound to.
    struct Phone {
        int row = 0;
        kit::String name;
        kit::String color;
        int character = 0;
        kit::String gender;  // "male", "female"
        kit::String style;   // "Drinks", "Light", "Water", "Driver"
        Body body;
        int sips = 0;
        int water = 0;
        int laps = 0;
        int challenges = 0;
        kit::String bac;  // empty when the body data are incomplete
        bool playing = true;

        bool operator==(const Phone&) const = default;
    };

    kit::String language = "en";
    kit::String screen = "lobby";  // "lobby", "game", "over", "closed"
    kit::String units = "metric";  // or "imperial"
    kit::Array<Row> rows;
    bool canAdd = false;
    kit::Array<kit::String> colors;
    kit::Array<int> characters;
    int turnRow = -1;  // whose turn it is; -1: nobody's
    kit::String turnName;
    kit::String turnColor;
    int rollRow = -1;  // the row whose phone may roll now
    int rollId = 0;
    Question question;
    kit::Map<kit::String, Phone> phones;  // by token
    // A short text to show once on the phone with that token, bound to a player or not (any more).
    kit::Map<kit::String, kit::String> notices;
    kit::Map<kit::String, kit::String> texts;

    bool operator==(const View&) const = default;
};

}  // namespace lan
