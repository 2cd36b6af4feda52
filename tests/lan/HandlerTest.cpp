#include <gtest/gtest.h>

#include "Handler.h"
#include "Json.h"

namespace {

using lan::Handler;
using lan::Message;
using lan::View;

const kit::String Secret = "0123456789abcdef0123456789abcdef";
const kit::String Host = "192.168.1.20:47615";
const kit::String Prefix = "/p/" + Secret + "/";

View lobby() {
    View view;
    view.rows = {{0, "Anna", "FF0000", 3, false}, {1, "Bob", "00FF00", 0, false}};
    view.canAdd = true;
    view.colors = {"FF0000", "00FF00", "0000FF"};
    view.characters = {0, 3, 16};
    return view;
}

View::Phone phoneOf(int row, const kit::String& name, const kit::String& color, int character,
                    const kit::String& gender) {
    View::Phone phone;
    phone.row = row;
    phone.name = name;
    phone.color = color;
    phone.character = character;
    phone.gender = gender;
    return phone;
}

// A game two phones are bound to: Anna's (row 0) rolls and answers, Bob's (row 1) watches.
View game() {
    View view = lobby();
    view.screen = "game";
    view.rows[0].phone = view.rows[1].phone = true;
    view.phones["a0000000000000000000000000000000"] = phoneOf(0, "Anna", "FF0000", 3, "female");
    view.phones["b0000000000000000000000000000000"] = phoneOf(1, "Bob", "00FF00", 0, "male");
    view.turnRow = 0;
    view.rollRow = 0;
    view.rollId = 7;
    view.question = {12, "yes_no", {"Double stakes?"}, {{0, "Yes", "", ""}, {1, "No", "", ""}}, 0};
    return view;
}

class HandlerTest : public testing::Test {
protected:
    Handler handler{Secret, {Host}, {{"index.html", "/data/web/index.html"}, {"app.js", "/data/web/app.js"}}};
    Handler::Clock::time_point now = Handler::Clock::now();

    Handler::Response send(const kit::String& method, const kit::String& route, const kit::String& body = "",
                           const kit::String& token = "", const kit::String& host = Host,
                           const kit::String& remote = "192.168.1.30") {
        now += std::chrono::seconds(1);  // well inside the rate limit
        kit::String cookie = token.empty() ? "" : "other=1; swg_phone=" + token;
        return handler.handle({method, Prefix + route, host, cookie, body, remote}, now);
    }
    Handler::Response post(const kit::String& route, const kit::String& body, const kit::String& token = "") {
        return send("POST", route, body, token);
    }
};

TEST_F(HandlerTest, OnlyTheSecretAddressOnTheGamesHostAnswers) {
    EXPECT_EQ(send("GET", "").status, 200);
    EXPECT_EQ(send("GET", "").file, "/data/web/index.html");
    EXPECT_EQ(send("GET", "", "", "", "evil.example:47615").status, 403);
    EXPECT_EQ(send("GET", "", "", "", "").status, 403);
    for (const kit::String& path :
         {kit::String("/"), kit::String("/p/"), "/p/" + Secret, "/p/f" + Secret.substr(1) + "/",
          "/p/" + Secret + "x/", kit::String("/../etc/passwd")}) {
        EXPECT_EQ(handler.handle({"GET", path, Host, "", "", "1.2.3.4"}, now).status, 404) << path;
    }
}

TEST_F(HandlerTest, NoPathReachesTheFileSystemAndUnknownRoutesAndMethodsAreRefused) {
    for (const char* route : {"../index.html", "app.js/../index.html", "%2e%2e/app.js", "font/../../x",
                              "index.html/", "picture/character/99.png", "APP.JS"}) {
        Handler::Response response = send("GET", route);
        EXPECT_EQ(response.status, 404) << route;
        EXPECT_TRUE(response.file.empty()) << route;
    }
    Handler::Response wrongMethod = send("DELETE", "app.js");
    EXPECT_EQ(wrongMethod.status, 405);
    EXPECT_EQ(wrongMethod.allow, "GET, HEAD");
    EXPECT_EQ(send("GET", "answer").status, 405);
    EXPECT_EQ(send("POST", "state", "{}").status, 405);
    EXPECT_EQ(send("PUT", "join", "{\"row\":0}").status, 405);
}

TEST_F(HandlerTest, BodiesAreCheckedFieldByField) {
    handler.publish(lobby());
    for (const char* body :
         {"", "[]", "null", "{", "{\"row\":\"0\"}", "{\"row\":1.5}", "{\"row\":14}", "{\"row\":-2}",
          "{\"row\":0,\"admin\":true}", "{}", "{\"row\":99999999999999999999}"}) {
        EXPECT_EQ(post("join", body).status, 400) << body;
    }
    EXPECT_EQ(post("join", kit::String(5000, ' ')).status, 413);
    EXPECT_TRUE(handler.takeMessages().empty());
}

TEST_F(HandlerTest, NamesKeepToTheTvsRules) {
    EXPECT_TRUE(lan::json::isCleanName("Zoë 🍺 Ана 张"));
    EXPECT_TRUE(lan::json::isCleanName("[b]<script>&amp;"));  // shown as typed, never as mark-up
    EXPECT_FALSE(lan::json::isCleanName("two\nlines"));
    EXPECT_FALSE(lan::json::isCleanName("tab\there"));
    EXPECT_FALSE(lan::json::isCleanName("del\x7f"));
    EXPECT_FALSE(lan::json::isCleanName("c1 \xc2\x85"));
    EXPECT_FALSE(lan::json::isCleanName("sep \xe2\x80\xa8"));
    EXPECT_FALSE(lan::json::isCleanName("bad \xff utf8"));
    EXPECT_FALSE(lan::json::isCleanName("overlong \xc0\xaf"));
    EXPECT_FALSE(lan::json::isCleanName("surrogate \xed\xa0\x80"));
    EXPECT_FALSE(lan::json::isCleanName("cut \xe2\x82"));
    EXPECT_FALSE(lan::json::isCleanName(kit::String(65, 'a')));
    kit::String reason;
    EXPECT_FALSE(lan::json::parse(Message::Kind::Player, "{\"name\":\"a\\u0000b\"}", reason));
    EXPECT_FALSE(lan::json::parse(Message::Kind::Player, "{\"color\":\"red\"}", reason));
    EXPECT_FALSE(lan::json::parse(Message::Kind::Player, "{\"gender\":\"other\"}", reason));
    EXPECT_FALSE(lan::json::parse(Message::Kind::Player, "{\"style\":\"Beer\"}", reason));
    EXPECT_FALSE(lan::json::parse(Message::Kind::Player, "{\"style\":2}", reason));
    auto player = lan::json::parse(
        Message::Kind::Player,
        "{\"name\":\"Zoë\",\"color\":\"00ff00\",\"character\":3,\"gender\":\"female\",\"style\":\"Driver\"}",
        reason);
    ASSERT_TRUE(player);
    EXPECT_EQ(*player->name, "Zoë");
    EXPECT_EQ(*player->style, "Driver");
    EXPECT_EQ(*player->character, 3);
    auto body = lan::json::parse(Message::Kind::Body, "{\"stomach\":\"full\",\"weight\":80}", reason);
    ASSERT_TRUE(body);
    EXPECT_EQ(*body->stomach, "full");
    EXPECT_FALSE(body->strength);
    EXPECT_FALSE(lan::json::parse(Message::Kind::Body, "{\"weight\":-3}", reason));
}

TEST_F(HandlerTest, AJoinGivesATokenCookieAndTakesOnlyAFreeRow) {
    View view = lobby();
    view.rows[1].phone = true;
    view.canAdd = false;
    handler.publish(view);
    EXPECT_EQ(post("join", "{\"row\":1}").status, 409);
    EXPECT_EQ(post("join", "{\"row\":5}").status, 409);
    EXPECT_EQ(post("join", "{\"row\":-1}").status, 409);
    Handler::Response joined = post("join", "{\"row\":0}");
    ASSERT_EQ(joined.status, 200);
    EXPECT_NE(joined.setCookie.find("HttpOnly"), kit::String::npos);
    EXPECT_NE(joined.setCookie.find("SameSite=Strict"), kit::String::npos);
    EXPECT_NE(joined.setCookie.find("Path=" + Prefix), kit::String::npos);
    kit::Array<Message> messages = handler.takeMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, Message::Kind::Join);
    EXPECT_EQ(messages[0].row, 0);
    EXPECT_EQ(messages[0].token.size(), 32u);
    EXPECT_EQ(joined.setCookie.find("swg_phone=" + messages[0].token), 0u);

    // During the game a late arrival takes a free row, but adds none.
    view.screen = "game";
    handler.publish(view);
    EXPECT_EQ(post("join", "{\"row\":-1}").status, 409);
    EXPECT_EQ(post("join", "{\"row\":1}").status, 409);
    EXPECT_EQ(post("join", "{\"row\":0}").status, 200);
    view.screen = "closed";
    handler.publish(view);
    EXPECT_EQ(post("join", "{\"row\":0}").status, 409);
}

TEST_F(HandlerTest, APhoneAnswersOnlyItsOwnOpenQuestionAndOnlyOnce) {
    handler.publish(game());
    const kit::String anna = "a0000000000000000000000000000000";
    const kit::String bob = "b0000000000000000000000000000000";
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":0}").status, 403);  // no token
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":0}", "c0000000000000000000000000000000").status, 403);
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":0}", bob).status, 403);
    EXPECT_EQ(post("answer", "{\"id\":11,\"button\":0}", anna).status, 409);  // a late tap
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":5}", anna).status, 400);
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":1}", anna).status, 200);
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":0}", anna).status, 409);  // a double tap
    EXPECT_EQ(post("roll", "{\"id\":7}", bob).status, 403);
    EXPECT_EQ(post("roll", "{\"id\":6}", anna).status, 409);
    EXPECT_EQ(post("roll", "{\"id\":7}", anna).status, 200);
    EXPECT_EQ(post("roll", "{\"id\":7}", anna).status, 409);
    EXPECT_EQ(post("player", "{\"name\":\"X\"}", anna).status, 409);  // names are set before the game
    EXPECT_EQ(post("body", "{\"weight\":70}", bob).status, 200);

    kit::Array<Message> messages = handler.takeMessages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].kind, Message::Kind::Answer);
    EXPECT_EQ(messages[0].button, 1);
    EXPECT_EQ(messages[0].token, anna);
    EXPECT_EQ(messages[1].kind, Message::Kind::Roll);
    EXPECT_EQ(messages[2].kind, Message::Kind::Body);
    EXPECT_EQ(messages[2].token, bob);
}

// Double stakes and the warning belong to the whole group: whichever phone is first answers, once.
TEST_F(HandlerTest, AGroupQuestionIsAnyPhonesToAnswerOnce) {
    View view = game();
    view.question.group = true;
    view.question.answerRow = -1;
    handler.publish(view);
    const kit::String bob = "b0000000000000000000000000000000";
    EXPECT_NE(handler.stateFor(bob).find("\"answerable\":true"), kit::String::npos);
    EXPECT_EQ(handler.stateFor("").find("\"answerable\":true"), kit::String::npos);
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":0}").status, 403);  // no phone
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":0}", bob).status, 200);
    EXPECT_EQ(post("answer", "{\"id\":12,\"button\":1}", "a0000000000000000000000000000000").status, 409);
    ASSERT_EQ(handler.takeMessages().size(), 1u);
}

TEST_F(HandlerTest, EachPhoneSeesItsOwnStateAndNamesStayText) {
    View view = game();
    view.phones.begin()->second.name = "</script><b>\"Anna\"";
    view.phones.begin()->second.bac = "0.04 %";
    handler.publish(view);
    kit::String anna = handler.stateFor("a0000000000000000000000000000000");
    kit::String bob = handler.stateFor("b0000000000000000000000000000000");
    kit::String stranger = handler.stateFor("");
    EXPECT_NE(anna.find("\"roll\":{\"id\":7}"), kit::String::npos);
    EXPECT_NE(anna.find("\"answerable\":true"), kit::String::npos);
    EXPECT_NE(anna.find("\"name\":\"</script><b>\\\"Anna\\\"\""), kit::String::npos);
    EXPECT_NE(anna.find("\"bac\":\"0.04 %\""), kit::String::npos);
    EXPECT_NE(bob.find("\"roll\":null"), kit::String::npos);
    EXPECT_NE(bob.find("\"answerable\":false"), kit::String::npos);
    EXPECT_NE(bob.find("\"bac\":null"), kit::String::npos);
    EXPECT_NE(stranger.find("\"you\":null"), kit::String::npos);
    EXPECT_EQ(stranger.find("0.04"), kit::String::npos);  // one player's data reach no other phone
    EXPECT_EQ(bob.find("0.04"), kit::String::npos);
}

TEST_F(HandlerTest, AnUnchangedViewWakesNoStream) {
    handler.publish(game());
    uint64_t version = handler.getVersion();
    handler.publish(game());
    EXPECT_EQ(handler.waitForChange(version, std::chrono::milliseconds(1)), version);
    View changed = game();
    changed.turnRow = 1;
    handler.publish(changed);
    EXPECT_EQ(handler.waitForChange(version, std::chrono::milliseconds(1)), version + 1);
}

TEST_F(HandlerTest, RequestsAreLimitedPerAddressAndStreamsInNumber) {
    int refused = 0;
    for (int i = 0; i < 100; ++i) {
        refused += handler.handle({"GET", Prefix + "state", Host, "", "", "10.0.0.9"}, now).status == 429;
    }
    EXPECT_EQ(refused, 100 - static_cast<int>(Handler::RequestBurst));
    EXPECT_EQ(handler.handle({"GET", Prefix + "state", Host, "", "", "10.0.0.8"}, now).status, 200);
    EXPECT_EQ(
        handler.handle({"GET", Prefix + "state", Host, "", "", "10.0.0.9"}, now + std::chrono::seconds(1))
            .status,
        200);
    // The page and its pictures come out of a budget of their own, limited too.
    int files = 0;
    for (int i = 0; i < 200; ++i) {
        files += handler.handle({"GET", Prefix + "app.js", Host, "", "", "10.0.0.9"}, now).status == 200;
    }
    EXPECT_EQ(files, static_cast<int>(Handler::FileBurst));

    int streams = 0;
    for (int i = 0; i < 10; ++i) {
        streams += send("GET", "events").status == 200;
    }
    EXPECT_EQ(streams, Handler::MaxStreamsPerAddress);
    handler.endStream("192.168.1.30");
    EXPECT_EQ(send("GET", "events").status, 200);
    handler.stop();
    EXPECT_EQ(send("GET", "events", "", "", Host, "192.168.1.31").status, 503);
    EXPECT_EQ(post("join", "{\"row\":0}").status, 503);
}

TEST_F(HandlerTest, AFullQueueRefusesInsteadOfGrowing) {
    handler.publish(lobby());
    int accepted = 0;
    for (size_t i = 0; i < Handler::MaxQueued + 10; ++i) {
        kit::String remote = "10.1." + std::to_string(i / 200) + "." + std::to_string(i % 200);
        accepted +=
            handler.handle({"POST", Prefix + "join", Host, "", "{\"row\":0}", remote}, now).status == 200;
    }
    EXPECT_EQ(accepted, static_cast<int>(Handler::MaxQueued));
    EXPECT_EQ(handler.takeMessages().size(), Handler::MaxQueued);
}

}  // namespace
