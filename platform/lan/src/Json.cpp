#include "Json.h"

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>

#include <algorithm>
#include <set>

namespace lan::json {

namespace {

using Json = nlohmann::json;

Json row(const View::Row& row, int ownRow) {
    return {{"row", row.row},     {"name", row.name},
            {"color", row.color}, {"character", row.character},
            {"phone", row.phone}, {"you", row.row == ownRow}};
}

Json you(const View::Phone& phone) {
    const View::Body& body = phone.body;
    return {{"row", phone.row},
            {"name", phone.name},
            {"color", phone.color},
            {"character", phone.character},
            {"gender", phone.gender},
            {"style", phone.style},
            {"body",
             {{"stomach", body.stomach},
              {"strength", body.strength},
              {"volume", body.volume},
              {"weight", body.weight},
              {"complete", body.complete}}},
            {"sips", phone.sips},
            {"water", phone.water},
            {"laps", phone.laps},
            {"challenges", phone.challenges},
            {"bac", phone.bac.empty() ? Json() : Json(phone.bac)},
            {"playing", phone.playing}};
}

Json question(const View::Question& question, int ownRow) {
    if (question.id == 0) {
        return nullptr;
    }
    Json buttons = Json::array();
    for (const View::Button& button : question.buttons) {
        Json entry = {{"index", button.index}, {"text", button.text}};
        if (!button.picture.empty()) {
            entry["picture"] = button.picture;
        }
        if (!button.color.empty()) {
            entry["color"] = button.color;
        }
        buttons.push_back(entry);
    }
    return {{"id", question.id},
            {"answerable", ownRow >= 0 && (question.group || question.answerRow == ownRow)},
            {"kind", question.kind},
            {"texts", question.texts},
            {"buttons", buttons}};
}

// Names and texts typed by players go out as they are; a byte sequence that is not UTF-8 must not
// stop the state from being written.
kit::String dump(const Json& json) {
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

bool isHexColor(const kit::String& text) {
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
           });
}

// Decodes one UTF-8 sequence at `i`; -1 for a malformed one.
long nextCodePoint(const kit::String& text, size_t& i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char first = byte(i);
    int length = first < 0x80           ? 1
                 : (first >> 5) == 0x6  ? 2
                 : (first >> 4) == 0xE  ? 3
                 : (first >> 3) == 0x1E ? 4
                                        : 0;
    if (length == 0 || i + static_cast<size_t>(length) > text.size()) {
        return -1;
    }
    long code = length == 1 ? first : first & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        unsigned char next = byte(i + static_cast<size_t>(k));
        if ((next >> 6) != 0x2) {
            return -1;
        }
        code = (code << 6) | (next & 0x3F);
    }
    static const long smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return -1;
    }
    i += static_cast<size_t>(length);
    return code;
}

struct Field {
    const char* name;
    enum class Type { Integer, Text } type;
};

const kit::Map<Message::Kind, kit::Array<Field>>& allowedFields() {
    using T = Field::Type;
    static const kit::Map<Message::Kind, kit::Array<Field>> fields = {
        {Message::Kind::Join, {{"row", T::Integer}}},
        {Message::Kind::Player,
         {{"name", T::Text},
          {"color", T::Text},
          {"character", T::Integer},
          {"gender", T::Text},
          {"style", T::Text}}},
        {Message::Kind::Body,
         {{"stomach", T::Text}, {"strength", T::Integer}, {"volume", T::Integer}, {"weight", T::Integer}}},
        {Message::Kind::Leave, {}},
        {Message::Kind::Roll, {{"id", T::Integer}}},
        {Message::Kind::Answer, {{"id", T::Integer}, {"button", T::Integer}}},
    };
    return fields;
}

bool inRange(const Json& value, long low, long high) {
    return value.is_number_integer() && value.get<long>() >= low && value.get<long>() <= high;
}

// A whole number within its range, stored into the message's field.
template <class Target>
bool take(const Json& value, int low, int high, Target& target) {
    if (!inRange(value, low, high)) {
        return false;
    }
    target = value.get<int>();
    return true;
}

// A text that passes its check, stored into the message's field.
template <class Check>
bool take(const Json& value, Check check, std::optional<kit::String>& target) {
    kit::String text = value.get<kit::String>();
    if (!check(text)) {
        return false;
    }
    target = text;
    return true;
}

bool oneOf(const kit::String& text, std::initializer_list<const char*> choices) {
    return std::any_of(choices.begin(), choices.end(),
                       [&text](const char* choice) { return text == choice; });
}

// Each field's own rule; the reason names the field that broke it.
bool checkField(Message& message, const kit::String& name, const Json& value) {
    if (name == "row") {
        return take(value, -1, 13, message.row);
    }
    if (name == "id") {
        return take(value, 1, 0x7FFFFFFF, message.id);
    }
    if (name == "button") {
        return take(value, 0, 63, message.button);
    }
    if (name == "character") {
        return take(value, 0, 99, message.character);
    }
    if (name == "strength" || name == "volume" || name == "weight") {
        std::optional<int>& target =
            name == "strength" ? message.strength : (name == "volume" ? message.volume : message.weight);
        return take(value, 0, 1000, target);
    }
    if (name == "name") {
        return take(value, isCleanName, message.name);
    }
    if (name == "color") {
        return take(value, isHexColor, message.color);
    }
    if (name == "gender") {
        return take(
            value,
            [](const kit::String& text) {
                return oneOf(text, {"male", "female"});
            },
            message.gender);
    }
    if (name == "style") {
        return take(
            value,
            [](const kit::String& text) {
                return oneOf(text, {"Drinks", "Light", "Water", "Driver"});
            },
            message.style);
    }
    if (name == "stomach") {
        return take(
            value,
            [](const kit::String& text) {
                return oneOf(text, {"empty", "half", "full"});
            },
            message.stomach);
    }
    return true;
}

}  // namespace

kit::String state(const View& view, const kit::String& token, uint64_t version) {
    auto own = view.phones.find(token);
    const View::Phone* phone = own == view.phones.end() ? nullptr : &own->second;
    int ownRow = phone ? phone->row : -1;
    Json rows = Json::array();
    for (const View::Row& entry : view.rows) {
        rows.push_back(row(entry, ownRow));
    }
    Json turn = nullptr;
    if (view.turnRow >= 0) {
        turn = {{"name", view.turnName}, {"color", view.turnColor}, {"you", view.turnRow == ownRow}};
    }
    auto notice = token.empty() ? view.notices.end() : view.notices.find(token);
    Json roll = nullptr;
    if (phone && view.rollRow == ownRow && view.rollId > 0) {
        roll = {{"id", view.rollId}};
    }
    Json state = {{"v", version},
                  {"lang", view.language},
                  {"screen", view.screen},
                  {"units", view.units},
                  {"you", phone ? you(*phone) : Json()},
                  {"rows", rows},
                  {"canAdd", view.canAdd},
                  {"colors", view.colors},
                  {"characters", view.characters},
                  {"turn", turn},
                  {"roll", roll},
                  {"question", question(view.question, ownRow)},
                  {"notice", notice == view.notices.end() ? Json() : Json(notice->second)}};
    return dump(state);
}

kit::String texts(const View& view) {
    Json texts = Json::object();
    for (const auto& [key, text] : view.texts) {
        texts[key] = text;
    }
    return dump(texts);
}

std::optional<Message> parse(Message::Kind kind, const kit::String& body, kit::String& reason) {
    Json json = Json::parse(body, nullptr, false);
    if (json.is_discarded() || !json.is_object()) {
        reason = "the body is not a JSON object";
        return std::nullopt;
    }
    const kit::Array<Field>& fields = allowedFields().at(kind);
    Message message;
    message.kind = kind;
    std::set<kit::String> seen;
    for (const auto& item : json.items()) {
        const kit::String& name = item.key();
        const Json& value = item.value();
        auto field =
            std::find_if(fields.begin(), fields.end(), [&](const Field& f) { return name == f.name; });
        if (field == fields.end()) {
            reason = "unknown field";
            return std::nullopt;
        }
        bool typed = field->type == Field::Type::Integer ? value.is_number_integer() : value.is_string();
        if (!typed || !checkField(message, name, value)) {
            reason = "bad " + name;
            return std::nullopt;
        }
        seen.insert(name);
    }
    bool needsId = kind == Message::Kind::Roll || kind == Message::Kind::Answer;
    if ((needsId && !seen.count("id")) || (kind == Message::Kind::Answer && !seen.count("button")) ||
        (kind == Message::Kind::Join && !seen.count("row"))) {
        reason = "missing field";
        return std::nullopt;
    }
    return message;
}

bool isCleanName(const kit::String& name) {
    if (name.size() > MaxNameBytes) {
        return false;
    }
    for (size_t i = 0; i < name.size();) {
        long code = nextCodePoint(name, i);
        bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (code < 0 || control || code == 0x2028 || code == 0x2029) {
            return false;
        }
    }
    return true;
}

}  // namespace lan::json
