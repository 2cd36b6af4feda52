#include "Json.h"

#include <nlohmann/json.hpp>

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
            {"body",
             {{"stomach", body.stomach},
              {"strength", body.strength},
              {"volume", body.volume},
              {"weight", body.weight},
              {"complete", body.complete}}},
            {"sips", phone.sips},
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
         {{"name", T::Text}, {"color", T::Text}, {"character", T::Integer}, {"gender", T::Text}}},
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

// Each field's own rule; the reason names the field that broke it.
bool checkField(Message& message, const kit::String& name, const Json& value) {
    if (name == "row") {
        if (!inRange(value, -1, 13)) {
            return false;
        }
        message.row = value.get<int>();
    } else if (name == "id") {
        if (!inRange(value, 1, 0x7FFFFFFF)) {
            return false;
        }
        message.id = value.get<int>();
    } else if (name == "button") {
        if (!inRange(value, 0, 63)) {
            return false;
        }
        message.button = value.get<int>();
    } else if (name == "name") {
        if (!isCleanName(value.get<kit::String>())) {
            return false;
        }
        message.name = value.get<kit::String>();
    } else if (name == "color") {
        if (!isHexColor(value.get<kit::String>())) {
            return false;
        }
        message.color = value.get<kit::String>();
    } else if (name == "character") {
        if (!inRange(value, 0, 99)) {
            return false;
        }
        message.character = value.get<int>();
    } else if (name == "gender") {
        kit::String gender = value.get<kit::String>();
        if (gender != "male" && gender != "female") {
            return false;
        }
        message.gender = gender;
    } else if (name == "stomach") {
        kit::String stomach = value.get<kit::String>();
        if (stomach != "empty" && stomach != "half" && stomach != "full") {
            return false;
        }
        message.stomach = stomach;
    } else if (name == "strength") {
        if (!inRange(value, 0, 1000)) {
            return false;
        }
        message.strength = value.get<int>();
    } else if (name == "volume") {
        if (!inRange(value, 0, 1000)) {
            return false;
        }
        message.volume = value.get<int>();
    } else if (name == "weight") {
        if (!inRange(value, 0, 1000)) {
            return false;
        }
        message.weight = value.get<int>();
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
