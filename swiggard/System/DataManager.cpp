#include "System/DataManager.h"

#include <kit/Exception.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>

#include "Game/Board.h"
#include "System/Globals.h"

namespace System {

namespace {

// The content tables, one line per field:
//   "<id> <icon>[ corner]: <action>; <action>…[ | at least <n> players, else field <id>]"
// and each action "<type without ActionType_> <drinks> -> <target>[ (icon <name>, sound <name>, roll
// again)]". An action's picture is "drink" and its sound "drink" for drink types (none otherwise) unless the
// brackets say otherwise; the icon "none" leaves the field without a picture.
// clang-format off

// The classic board by position; positions without a line are surprise positions.
const char* const BoardFields[] = {
    "10 none corner: Special_Start 0 -> Player",
    "20 drink: Drink_Player 1 -> Player",
    "40 pick: Drink_Player 2 -> Pick1",
    "50 drink: Drink_Player 2 -> Player",
    "70 pinch: Special_Pinch 1 -> Random (icon pinch); Drink_Player 1 -> Player",
    "80 pick: Drink_WithPlayer 1 -> Pick1",
    "100 pick: Drink_Player 1 -> Pick1",
    "110 none corner: Drink_AllPlayers 1 -> None (sound all drink)",
    "120 fitness: Special_PushUp 10 -> Player (icon fitness, sound fitness); Drink_Player 1 -> Player",
    "140 social_status: Special_SocialStatus 0 -> Random (icon social_status); Drink_Player 1 -> Player",
    "150 recent_texts: Special_RecentTexts 3 -> Random (icon recent_texts, sound phone); Drink_Player 1 -> Player",
    "170 move_back: Move_Backwards 1 -> Player (icon move_back); Drink_Player 1 -> Player",
    "180 scales: Drink_Justice 3 -> Special (icon scales, sound scales)",
    "200 strip: Special_Strip 1 -> Player (icon strip, sound strip); Drink_Player 1 -> Player",
    "210 none corner: Special_Nothing 0 -> None (sound no one drinks)",
    "220 dance: Special_Dance 1 -> Random (icon dance); Drink_Player 2 -> Player",
    "240 impersonate: Special_Impersonate 0 -> Player (icon impersonate); Drink_Player 1 -> Player",
    "250 mustache: Special_DrawMustache 0 -> Random (icon mustache); Drink_Player 2 -> Player",
    "270 slapped: Special_Slapped 0 -> Pick1 (icon slapped, sound slap); Drink_Player 2 -> Player",
    "280 massage: Special_Massage 0 -> Random (icon massage, sound massage); Drink_Player 1 -> Player",
    "300 skip_turn: Move_SkipTurn 2 -> Player (icon skip_turn, sound skip turn)",
    "310 none corner: Drink_AllPlayers 3 -> None (sound all drink much)",
    "320 atomic: Special_DrinkStripSlapped 1 -> Pick3 (icon atomic); Drink_Player 3 -> Player | at least 4 players, else field 270",
    "340 pick: Drink_Player 1 -> Pick2 | at least 3 players, else field 50",
    "350 slapped: Special_Slapped 0 -> Random (icon slapped, sound slap); Drink_Player 1 -> Player",
    "370 water: Special_Water 0 -> Player (icon water, sound water); Drink_Player 1 -> Player",
    "380 pick: Drink_Player 2 -> Pick1",
    "400 switch: Move_SwitchLast 0 -> Special (icon switch, sound switch)",
};

// The surprise cards dealt from the start.
const char* const SurpriseCards[] = {
    "1010 drink: Drink_ExceptPlayer 1 -> None",
    "1020 move_back: Move_ToStart 0 -> Player (icon move_back, sound switch)",
    "1030 switch: Move_Switch 0 -> Random (icon switch, sound switch)",
    "1040 fitness: Special_CartwheelHandstand 0 -> Player (icon fitness, sound fitness); Drink_Player 2 -> Player",
    "1050 scales: Drink_Injustice 3 -> Special (icon scales, sound scales)",
    "1060 pick: Special_RollAndSplit 0 -> Pick1 (sound drink)",
    "1070 drink: Drink_Player 1 -> Player (roll again)",
    "1080 drink: Drink_AllPlayers 1 -> Female (sound all drink)",
    "1090 drink: Drink_AllPlayers 1 -> Male (sound all drink)",
    "1100 move_back: Move_Backwards 2 -> Player (icon move_back); Drink_Player 1 -> Player",
    "1110 pick: Drink_WithPlayer 2 -> Pick1; Drink_Player 1 -> Player",
    "1120 pick: Drink_Player 3 -> Pick1",
    "1130 cow: Special_Milk 1 -> Player (icon cow, sound drink milk); Drink_Player 2 -> Player",
    "1140 makeout: Special_MakeOut 1 -> Random (icon makeout, sound makeout); Drink_WithPlayer 3 -> PreviousAction",
    "1150 fitness: Special_Squat 10 -> Player (icon fitness, sound fitness); Drink_Player 2 -> Player",
    "1160 strip: Special_Strip 3 -> Player (icon strip, sound strip); Drink_Player 3 -> Player",
    "1170 drink: Drink_Player 3 -> Player",
    "1180 sing: Special_SingSong 0 -> Player (icon sing); Drink_Player 2 -> Player",
    "1190 phone_call: Special_FamilyTalk 0 -> Player (icon phone_call, sound phone); Drink_Player 3 -> Player",
    "1200 dance: Special_DanceMoves 0 -> Player (icon dance_moves); Drink_Player 2 -> Player",
    "1210 animal: Special_Animal 0 -> Player (icon animal); Drink_Player 1 -> Player",
    "1220 poet: Special_Poem 0 -> Player (icon poet); Drink_Player 2 -> Player",
    "1230 paint: Special_DrawForehead 0 -> Random (icon paint); Drink_Player 3 -> Player",
    "1240 paint: Special_DrawHand 0 -> Random (icon paint); Drink_Player 2 -> Player",
    "1250 parkour: Special_Parkour 0 -> Player (icon parkour); Drink_Player 2 -> Player",
    "1260 belly_dance: Special_BellyDance 0 -> Player (icon belly_dance); Drink_Player 2 -> Player",
    "1270 guitar: Special_AirGuitar 0 -> Player (icon guitar); Drink_Player 1 -> Player",
    "1280 fitness: Special_TrySplit 0 -> Player (icon fitness, sound fitness); Drink_Player 2 -> Player",
    "1290 social_status: Special_SocialStatus 0 -> Pick1 (icon social_status); Drink_Player 2 -> Player",
    "1300 skip_turn: Move_SkipTurn 1 -> Player (icon skip_turn, sound skip turn)",
    "1310 slapped: Special_Slapped 0 -> Player (icon slapped, sound slap); Drink_Player 1 -> Player",
    "1320 move_back: Move_Backwards 3 -> Player (icon move_back)",
    "1330 move_back_roll: Move_NextBackwards 1 -> Player (icon move_back_roll)",
    "1340 drink: Drink_WithPlayer 1 -> Random",
    "1350 move_back: Move_Backwards 4 -> Player (icon move_back); Drink_Player 1 -> Player",
    "1360 pick: Move_NextBackwards 1 -> Pick1 (icon move_back_roll)",
    "1370 strip: Special_Strip 2 -> Player (icon strip, sound strip); Drink_Player 2 -> Player",
    "1380 send_text: Special_SendText 0 -> Random (icon send_text, sound phone); Drink_Player 3 -> Player",
    "1390 strip_female: Special_Strip 2 -> Female (icon strip_female, sound strip); Drink_AllPlayers 2 -> Female (sound all drink)",
    "1400 strip_male: Special_Strip 2 -> Male (icon strip_male, sound strip); Drink_AllPlayers 2 -> Male (sound all drink)",
    "1410 call_love: Special_CallLove 0 -> Player (icon call_love, sound phone); Drink_Player 2 -> Player",
    "1420 hot_abs: Special_HotAbs 0 -> Player (icon hot_abs, sound strip); Drink_Player 1 -> Player",
    "1430 butt: Special_Butt 0 -> Player (icon butt, sound strip); Drink_Player 1 -> Player",
    "1440 lift: Special_Lift 0 -> Random (icon lift, sound fitness); Drink_Player 1 -> Player",
    "1450 blindfold: Drink_Blindfold 1 -> Random (icon blindfold); Drink_Player 2 -> Player",
    "1460 camera: Special_GroupPhoto 0 -> All (icon camera, sound camera); Drink_AllPlayers 2 -> None",
    "1470 flash: Special_Flash 0 -> Player (icon flash, sound strip); Drink_Player 2 -> Player",
};

// The second block, added at start-up.
const char* const ExtraSurpriseCards[] = {
    "2010 slapped: Special_AllSlap 0 -> Player (icon slapped, sound slap); Drink_Player 3 -> Player",
    "2020 camera: Special_Selfie 0 -> Player (icon camera, sound camera); Drink_Player 2 -> Player",
    "2030 camera: Special_GroupPhoto2 0 -> All (icon camera, sound camera); Drink_AllPlayers 2 -> None",
    "2050 xxx: Special_XXX 0 -> Player (icon xxx, sound strip); Drink_Player 2 -> Player",
    "2060 phone_ex: Special_CallEx 0 -> Player (icon phone_ex, sound phone); Drink_Player 3 -> Player",
    "2070 phone_ex: Special_TextEx 0 -> Random (icon phone_ex, sound phone); Drink_Player 2 -> Player",
    "2080 ice_cream: Special_FaceLick 0 -> Random (icon ice_cream); Drink_WithPlayer 2 -> PreviousAction",
    "2090 egg: Special_DrinkEgg 0 -> Player (icon egg); Drink_Player 2 -> Player",
    "2100 tornado: Special_Spin 10 -> Player (icon tornado); Drink_Player 2 -> Player",
    "2110 scissors: Special_Haircut 0 -> Random (icon scissors); Drink_Player 2 -> Player",
    "2120 phone_call: Special_InviteSomebody 0 -> Player (icon phone_call, sound phone); Drink_Player 1 -> Player",
    "2130 foot: Special_BareFoot 0 -> Player (icon foot); Drink_Player 1 -> Player",
    "2140 paint: Special_DrawSomebody 0 -> Random (icon paint); Drink_Player 2 -> Player",
    "2150 social_status: Special_LoveWhy 0 -> Random (icon social_status); Drink_Player 2 -> Player",
    "2160 phone_call: Special_BarkCall 0 -> Random (icon phone_call, sound phone); Drink_Player 2 -> Player",
    "2170 makeout: Special_PrettyGirl 0 -> Player (icon makeout, sound strip); Drink_Player 2 -> Player",
    "2180 makeout: Special_PrettyBoy 0 -> Player (icon makeout, sound strip); Drink_Player 2 -> Player",
    "2190 phone_xxx: Special_PhoneXXXGirl 0 -> MaleVersion (icon phone_xxx, sound phone); Special_PhoneXXXBoy 0 -> FemaleVersion (icon phone_xxx, sound phone); Drink_Player 3 -> Player",
    "2200 zipper: Special_Zipper 0 -> Random (icon zipper); Drink_Player 2 -> Player",
    "2210 baby: Special_Crawl 0 -> Player (icon baby); Drink_Player 2 -> Player",
    "2220 body_shot: Special_BodyShot 0 -> Random (icon body_shot, sound all drink much); Drink_Player 3 -> Player",
    "2230 strip: Special_RunUnderwear 0 -> Player (icon strip, sound all drink much); Drink_Player 3 -> Player",
    "2240 toilet: Special_HandToilet 0 -> Player (icon toilet); Drink_Player 3 -> Player",
    "2250 fist: Special_PunchWall 0 -> Player (icon fist); Drink_Player 1 -> Player",
    "2260 sink: Special_IceWashing 0 -> Player (icon sink); Drink_Player 2 -> Player",
    "2270 69: Special_Do69 0 -> Random (icon 69); Drink_WithPlayer 2 -> PreviousAction",
    "2280 eye: Special_LickEye 0 -> Random (icon eye); Drink_Player 2 -> Player",
    "2290 animal_scared: Special_LickAnimal 0 -> Player (icon animal_scared); Drink_Player 1 -> Player",
    "2300 send_text: Special_PhotoBody 0 -> Random (icon send_text); Drink_Player 2 -> Player",
    "2310 send_text: Special_PhotoChest 0 -> Random (icon send_text); Drink_Player 2 -> Player",
    "2320 foot: Special_KissToes 0 -> Player (icon foot); Drink_Player 2 -> Player",
    "2330 tarzan: Special_YellTarzan 0 -> Player (icon tarzan); Drink_Player 2 -> Player",
    "2340 hug: Special_HugEverybody 0 -> Player (icon hug); Drink_Player 1 -> Player",
    "2350 volcano: Special_FakeOrgasm 0 -> Player (icon volcano); Drink_Player 2 -> Player",
    "2360 strip: Special_ShowUnderwear 0 -> Player (icon strip, sound strip); Drink_Player 2 -> Player",
    "2370 peace: Special_Obnoxious 0 -> Player (icon peace); Drink_Player 3 -> Player",
    "2380 angel: Special_Compliment 0 -> Player (icon angel); Drink_Player 1 -> Player",
    "2390 banana: Special_BJ 0 -> Player (icon banana, sound strip); Drink_Player 3 -> Player",
    "2400 elbow: Special_LickElbow 0 -> Player (icon elbow); Drink_Player 3 -> Player",
    "2410 social_status: Special_SupportHate 0 -> Player (icon social_status); Drink_Player 3 -> Player",
    "2420 spank: Special_Spank 0 -> Random (icon spank, sound strip); Drink_Player 2 -> Player",
    "2430 buddha: Special_SitLap 0 -> Random (icon buddha); Drink_Player 2 -> Player",
    "2440 devil: Special_MeanInsult 0 -> Random (icon devil); Drink_Player 1 -> Player",
    "2450 grab_boob: Special_DatAsh 0 -> Random (icon grab_boob, sound strip); Drink_Player 2 -> Player",
    "2460 makeout: Special_Seduction 0 -> Random (icon makeout, sound strip); Drink_Player 3 -> Player",
};

// clang-format on

const char* const Colors[] = {
    "FF0000FF", "00FF00FF", "0000FFFF", "E4EA00FF", "FF00FFFF", "00FFFFFF", "007FFFFF",
    "00FF7FFF", "7F00FFFF", "FF007FFF", "7FFF00FF", "FF5F00FF", "FFFFFFFF", "000000FF",
};

const quadrix::Vector2 TokenOffsets[] = {
    {98, 253},  {74, 245},  {85, 245}, {94, 197}, {152, 278}, {75, 201}, {80, 170},  {86, 187}, {86, 260},
    {90, 284},  {121, 274}, {88, 300}, {65, 290}, {63, 300},  {41, 300}, {105, 300}, {92, 255}, {95, 260},
    {120, 300}, {125, 300}, {46, 300}, {77, 260}, {142, 280}, {72, 260}, {100, 220}, {65, 280},
};

const char* const CustomCardIcons[] = {
    "dance_moves", "pinch",       "slapped",     "fitness",    "strip_female", "strip",     "hot_abs",
    "strip_male",  "pick",        "scales",      "camera",     "makeout",      "massage",   "water",
    "guitar",      "animal",      "sing",        "paint",      "dance",        "send_text", "butt",
    "call_love",   "impersonate", "belly_dance", "phone_call", "mustache",     "parkour",   "poet",
};

const char* const SelfExcludedTypes[] = {
    "ActionType_Drink_WithPlayer",     "ActionType_Move_Switch",          "ActionType_Special_RollAndSplit",
    "ActionType_Special_Slapped",      "ActionType_Special_MakeOut",      "ActionType_Special_Massage",
    "ActionType_Special_SendText",     "ActionType_Special_DrawForehead", "ActionType_Special_DrawHand",
    "ActionType_Special_DrawMustache", "ActionType_Special_SocialStatus", "ActionType_Special_RecentTexts",
};

constexpr int CharacterCount = 26;

[[noreturn]] void malformed(const kit::String& line) {
    throw kit::Exception("Malformed catalogue line: " + line);
}

void applyOption(const kit::String& option, Game::Action& action, const kit::String& line) {
    if (kit::startsWith(option, "icon ")) {
        action.imageName = option.substr(5);
    } else if (kit::startsWith(option, "sound ")) {
        action.sound = option.substr(6);
    } else if (option == "roll again") {
        action.rollAgain = true;
    } else {
        malformed(line);
    }
}

Game::Action parseAction(const kit::String& text, const kit::String& line) {
    kit::String main = text;
    kit::String options;
    size_t bracket = text.find(" (");
    if (bracket != kit::String::npos) {
        if (text.back() != ')') {
            malformed(line);
        }
        main = text.substr(0, bracket);
        options = text.substr(bracket + 2, text.size() - bracket - 3);
    }
    kit::Array<kit::String> words = kit::splitNonEmpty(main, " ");
    if (words.size() != 4 || words[2] != "->" || !kit::isInt(words[1])) {
        malformed(line);
    }
    Game::Action action;
    action.type = "ActionType_" + words[0];
    action.drinks = kit::toInt(words[1]);
    action.target = words[3];
    action.imageName = "drink";
    action.sound = action.isDrinkType() ? "drink" : "";
    for (const kit::String& option : kit::splitNonEmpty(options, ", ")) {
        applyOption(option, action, line);
    }
    // Kept, so that the field keeps its place and its ids; the rules give it no effect.
    if (!action.read()) {
        kit::Log::warn("data", "Unknown action type or target '" + words[0] + " -> " + words[3] +
                                   "', which has no effect: " + line);
    }
    return action;
}

void parseMinimum(const kit::String& text, Game::Field& field, const kit::String& line) {
    int minPlayers = 0;
    int fallbackId = 0;
    if (std::sscanf(text.c_str(), "at least %d players, else field %d", &minPlayers, &fallbackId) != 2) {
        malformed(line);
    }
    field.minPlayers = minPlayers;
    field.fallbackId = fallbackId;
}

std::unique_ptr<Game::Field> parseField(const kit::String& line) {
    kit::Array<kit::String> headAndBody = kit::split(line, ": ", 2);
    if (headAndBody.size() != 2) {
        malformed(line);
    }
    kit::Array<kit::String> head = kit::splitNonEmpty(headAndBody[0], " ");
    if (head.size() < 2 || head.size() > 3 || !kit::isInt(head[0]) ||
        (head.size() == 3 && head[2] != "corner")) {
        malformed(line);
    }
    auto field = std::make_unique<Game::Field>();
    field->id = kit::toInt(head[0]);
    field->icon = head[1] == "none" ? "" : head[1];
    field->corner = head.size() == 3;
    kit::Array<kit::String> bodyAndMinimum = kit::split(headAndBody[1], " | ", 2);
    for (const kit::String& action : kit::split(bodyAndMinimum[0], "; ")) {
        field->actions.push_back(parseAction(action, line));
    }
    if (bodyAndMinimum.size() == 2) {
        parseMinimum(bodyAndMinimum[1], *field, line);
    }
    return field;
}

}  // namespace

DataManager::DataManager(const kit::String& path)
    : ventrel::system::DataManager(path),
      colors(std::begin(Colors), std::end(Colors)),
      customCardIcons(std::begin(CustomCardIcons), std::end(CustomCardIcons)),
      tokenOffsets(std::begin(TokenOffsets), std::end(TokenOffsets)),
      countedIcons{"drink", "strip", "slapped"},
      alwaysCountedIcons{"move_back"} {
    for (int i = 0; i < CharacterCount; ++i) {
        characters.push_back(kit::format("%02d", i));
    }
    for (const char* line : BoardFields) {
        fields.push_back(parseField(line));
    }
    for (int position = 0; position < Game::BoardSize; ++position) {
        int id = 10 * (position + 1);
        auto found = std::find_if(fields.begin(), fields.end(), [id](const auto& f) { return f->id == id; });
        board.push_back(found == fields.end() ? nullptr : found->get());
    }
    surpriseCards = _addFields(SurpriseCards);
}

DataManager::~DataManager() = default;

template <size_t N>
kit::Array<Game::Field*> DataManager::_addFields(const char* const (&lines)[N]) {
    kit::Array<Game::Field*> added;
    for (const char* line : lines) {
        fields.push_back(parseField(line));
        added.push_back(fields.back().get());
    }
    return added;
}

void DataManager::addExtraSurpriseCards() {
    if (extraSurpriseCardsAdded) {
        kit::Log::warn(LogTag, "The extra surprise cards are already added.");
        return;
    }
    extraSurpriseCardsAdded = true;
    kit::Array<Game::Field*> extra = _addFields(ExtraSurpriseCards);
    surpriseCards.insert(surpriseCards.end(), extra.begin(), extra.end());
}

Game::Field* DataManager::getFieldById(int id) const {
    auto found = std::find_if(fields.begin(), fields.end(), [id](const auto& f) { return f->id == id; });
    if (found != fields.end()) {
        return found->get();
    }
    if (id >= 0) {
        kit::Log::debug(LogTag, "Could not find game field with ID: " + kit::toString(id));
    }
    return nullptr;
}

quadrix::Vector2 DataManager::getTokenOffset(const kit::String& character) const {
    auto found = std::find(characters.begin(), characters.end(), character);
    if (found == characters.end()) {
        return {};
    }
    return tokenOffsets[found - characters.begin()];
}

kit::Array<Game::Action> DataManager::getActionsFor(const Game::Field* field,
                                                    const Game::AlcoTestData::Gender& gender) {
    kit::Array<Game::Action> actions;
    if (!field) {
        return actions;
    }
    for (const Game::Action& action : field->actions) {
        if (action.target == "FemaleVersion" && gender != Game::AlcoTestData::Gender::female) {
            continue;
        }
        if (action.target == "MaleVersion" && gender != Game::AlcoTestData::Gender::male) {
            continue;
        }
        actions.push_back(action);
    }
    return actions;
}

bool DataManager::isSelfExcludedType(const kit::String& type) {
    return std::find(std::begin(SelfExcludedTypes), std::end(SelfExcludedTypes), type) !=
           std::end(SelfExcludedTypes);
}

}  // namespace System
