#include "Menu/NightRecap.h"

#include <gui/Object.h>
#include <kit/Format.h>
#include <kit/Strings.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Game/Awards.h"
#include "Game/Player.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"

namespace Menu {

namespace {

using Game::GameLog;

// The laps page's columns: where they may stand, their width and their spacing; the bars' baselines
// and full heights.
constexpr float ColumnsLeft = 16.0f;
constexpr float ColumnsWidth = 944.0f;
constexpr float ColumnWidth = 58.0f;
constexpr float MinPitch = 66.0f;
constexpr float MaxPitch = 132.0f;
constexpr float LapsBaseline = 196.0f;
constexpr float LapsHeight = 112.0f;
constexpr float ChallengesBaseline = 404.0f;
constexpr float ChallengesHeight = 96.0f;
// Marks of lines that end close together are moved apart by at least this much.
constexpr float MarkSpacing = 24.0f;
const host::Color Clear("00000000");

kit::String lineName(int seat, int segment) {
    return "chart_line_" + kit::toString(seat) + "_" + kit::toString(segment);
}

void setBackground(const ventrel::system::Context* screen, const kit::String& name,
                   const host::Color& color) {
    if (gui::Object* object = screen->getObject(name)) {
        object->setBackground(color);
    }
}

kit::Array<Game::Player*> players() {
    return System::game().getPlayers().toArray();
}

kit::Array<GameLog::Totals> totalsOfSeats() {
    System::GameState* game = &System::game();
    kit::Array<GameLog::Totals> totals;
    for (int seat = 0; seat < static_cast<int>(game->getPlayers().size()); ++seat) {
        totals.push_back(game->getLog().getTotals(seat));
    }
    return totals;
}

// Every sample from nothing drunk at turn 0, and the night so far when it is later than the last one.
kit::Array<GameLog::Sample> samplesUntilNow(const GameLog& log, int seats, int turnNow) {
    kit::Array<GameLog::Sample> samples = log.getSamples();
    if (samples.empty() || samples.front().turn > 0) {
        samples.insert(samples.begin(), GameLog::Sample{0, kit::Array<int>(static_cast<size_t>(seats), 0)});
    }
    if (samples.back().turn < turnNow) {
        GameLog::Sample now{turnNow, {}};
        for (int seat = 0; seat < seats; ++seat) {
            now.sips.push_back(log.getTotals(seat).sips);
        }
        samples.push_back(std::move(now));
    }
    return samples;
}

kit::Array<GameLog::Sample> thinned(const kit::Array<GameLog::Sample>& samples, int points) {
    if (static_cast<int>(samples.size()) <= points) {
        return samples;
    }
    kit::Array<GameLog::Sample> chosen;
    double step = static_cast<double>(samples.size() - 1) / (points - 1);
    for (int point = 0; point < points; ++point) {
        chosen.push_back(samples[static_cast<size_t>(std::lround(point * step))]);
    }
    return chosen;
}

int sipsOf(const GameLog::Sample& sample, int seat) {
    return seat < static_cast<int>(sample.sips.size()) ? sample.sips[static_cast<size_t>(seat)] : 0;
}

}  // namespace

NightRecap::Chart NightRecap::chartOf(const GameLog& log, int seats, int turnNow, float width, float height) {
    Chart chart;
    seats = std::clamp(seats, 0, PlayerSlots);
    kit::Array<GameLog::Sample> samples = thinned(samplesUntilNow(log, seats, turnNow), LineSegments + 1);
    int first = samples.front().turn;
    chart.turns = samples.back().turn;
    for (const GameLog::Sample& sample : samples) {
        for (int seat = 0; seat < seats; ++seat) {
            chart.top = std::max(chart.top, sipsOf(sample, seat));
        }
    }
    float span = static_cast<float>(std::max(1, chart.turns - first));
    for (int seat = 0; seat < seats; ++seat) {
        kit::Array<quadrix::Vector2> line;
        for (const GameLog::Sample& sample : samples) {
            line.emplace_back(
                static_cast<float>(sample.turn - first) / span * width,
                height - static_cast<float>(sipsOf(sample, seat)) / static_cast<float>(chart.top) * height);
        }
        chart.lines.push_back(std::move(line));
    }
    return chart;
}

void NightRecap::drawSips(const ventrel::system::Context* screen) {
    System::GameState* game = &System::game();
    gui::Object* area = screen->getObject("chart_area");
    if (!area) {
        return;
    }
    kit::Array<Game::Player*> seated = players();
    int count = std::min(static_cast<int>(seated.size()), PlayerSlots);
    Chart chart = chartOf(game->getLog(), count, game->getTurnCount(), area->getWidth(), area->getHeight());
    for (int seat = 0; seat < PlayerSlots; ++seat) {
        bool shown = seat < count;
        System::setVisible(screen, System::slotName("legend_", seat), shown);
        System::setVisible(screen, System::slotName("chart_mark_", seat), shown);
        if (!shown) {
            _drawLine(screen, seat, {}, "");
            continue;
        }
        kit::String color = seated[static_cast<size_t>(seat)]->getDisplayColor();
        _drawLine(screen, seat, chart.lines[static_cast<size_t>(seat)], color);
        for (const char* mark : {"chart_mark_", "legend_mark_"}) {
            setBackground(screen, System::slotName(mark, seat), host::Color(color));
            System::showMark(screen, System::slotName(mark, seat), seated[static_cast<size_t>(seat)]);
        }
        System::setText(screen, System::slotName("legend_name_", seat),
                        seated[static_cast<size_t>(seat)]->getRichName());
    }
    _placeMarks(screen, chart, area->getHeight());
    System::setPlainText(screen, "label_chart_max", kit::toString(chart.top));
    System::setTextKey(screen, "label_chart_turns",
                       "{%f} gui.RecapTurns " + System::literal(kit::toString(chart.turns)));
}

// Each segment is a thin bar turned about its start; it reaches half a width further, so that the
// corners of a line meet.
void NightRecap::_drawLine(const ventrel::system::Context* screen, int seat,
                           const kit::Array<quadrix::Vector2>& points, const kit::String& color) {
    for (int segment = 0; segment < LineSegments; ++segment) {
        gui::Object* bar = screen->getObject(lineName(seat, segment));
        if (!bar) {
            continue;
        }
        bool shown = segment + 1 < static_cast<int>(points.size());
        bar->setVisible(shown);
        if (!shown) {
            continue;
        }
        const quadrix::Vector2& from = points[static_cast<size_t>(segment)];
        const quadrix::Vector2& to = points[static_cast<size_t>(segment) + 1];
        float dx = to.x - from.x;
        float dy = to.y - from.y;
        float length = std::hypot(dx, dy) + LineWidth / 2;
        bar->setRect(quadrix::Rectangle(from.x, from.y - LineWidth / 2, length, LineWidth));
        bar->setPivot(quadrix::Vector2(0.0f, LineWidth / 2));
        bar->setAngle(-std::atan2(dy, dx) * 180.0f / std::numbers::pi_v<float>);
        bar->setBackground(host::Color(color));
    }
}

// The marks sit at the ends of their lines, moved apart where lines end together and kept inside the
// chart.
void NightRecap::_placeMarks(const ventrel::system::Context* screen, const Chart& chart, float height) {
    kit::Array<std::pair<float, int>> ends;
    for (int seat = 0; seat < static_cast<int>(chart.lines.size()); ++seat) {
        ends.emplace_back(chart.lines[static_cast<size_t>(seat)].back().y, seat);
    }
    std::sort(ends.begin(), ends.end());
    for (size_t index = 1; index < ends.size(); ++index) {
        ends[index].first = std::max(ends[index].first, ends[index - 1].first + MarkSpacing);
    }
    for (size_t index = ends.size(); index-- > 0;) {
        float below = index + 1 < ends.size() ? ends[index + 1].first - MarkSpacing : height;
        ends[index].first = std::min(ends[index].first, below);
    }
    for (const auto& [y, seat] : ends) {
        if (gui::Object* mark = screen->getObject(System::slotName("chart_mark_", seat))) {
            mark->setPosition(chart.lines[static_cast<size_t>(seat)].back().x + LineWidth,
                              y - mark->getHeight() / 2);
        }
    }
}

void NightRecap::drawLaps(const ventrel::system::Context* screen) {
    kit::Array<Game::Player*> seated = players();
    kit::Array<GameLog::Totals> totals = totalsOfSeats();
    int count = std::min(static_cast<int>(seated.size()), PlayerSlots);
    GameLog::Totals most;
    for (const GameLog::Totals& seat : totals) {
        most.laps = std::max(most.laps, seat.laps);
        most.accepted = std::max(most.accepted, seat.accepted);
        most.refused = std::max(most.refused, seat.refused);
    }
    float pitch =
        count > 0 ? std::clamp(ColumnsWidth / static_cast<float>(count), MinPitch, MaxPitch) : MaxPitch;
    float left = ColumnsLeft + (ColumnsWidth - (static_cast<float>(count) - 1) * pitch - ColumnWidth) / 2;
    for (int row = 0; row < PlayerSlots; ++row) {
        gui::Object* column = screen->getObject(System::slotName("container_laps_row_", row));
        if (column) {
            column->setVisible(row < count);
            column->setX(left + static_cast<float>(row) * pitch);
        }
        if (row >= count) {
            continue;
        }
        const Game::Player* player = seated[static_cast<size_t>(row)];
        const GameLog::Totals& seat = totals[static_cast<size_t>(row)];
        System::setImage(screen, System::slotName("image_laps_character_", row),
                         "gui.character_icons/" + player->getCharacter());
        System::setText(screen, System::slotName("label_laps_name_", row), player->getRichName());
        System::showMark(screen, System::slotName("image_laps_mark_", row), player);
        setBackground(screen, System::slotName("bar_laps_", row), host::Color(player->getDisplayColor()));
        _setBar(screen, row, "laps", {seat.laps, most.laps, LapsBaseline, LapsHeight});
        _setBar(screen, row, "accepted",
                {seat.accepted, most.accepted, ChallengesBaseline, ChallengesHeight});
        _setBar(screen, row, "refused", {seat.refused, most.refused, ChallengesBaseline, ChallengesHeight});
    }
}

// A bar standing on its baseline, the highest of its chart at the full height, its figure on top.
void NightRecap::_setBar(const ventrel::system::Context* screen, int row, const char* what, const Bar& bar) {
    kit::String suffix = kit::String(what) + "_" + kit::toString(row);
    float height =
        bar.most > 0 ? bar.full * static_cast<float>(bar.value) / static_cast<float>(bar.most) : 0.0f;
    if (gui::Object* shape = screen->getObject("bar_" + suffix)) {
        shape->setVisible(height > 0.0f);
        shape->setY(bar.baseline - height);
        shape->setHeight(height);
    }
    System::setPlainText(screen, "label_" + suffix, kit::toString(bar.value));
    if (gui::Object* figure = screen->getObject("label_" + suffix)) {
        figure->setY(bar.baseline - height - figure->getHeight());
    }
}

void NightRecap::drawAwards(const ventrel::system::Context* screen) {
    kit::Array<Game::Player*> seated = players();
    kit::Array<Game::Awards::Award> awards = Game::Awards::of(totalsOfSeats());
    for (int slot = 0; slot < static_cast<int>(awards.size()); ++slot) {
        const Game::Awards::Award& award = awards[static_cast<size_t>(slot)];
        kit::String key = Game::Awards::keyName(award.kind);
        System::setImage(screen, System::slotName("image_award_", slot),
                         "gui.gui/award_" + kit::toLower(key));
        System::setTextKey(screen, System::slotName("label_award_", slot), "gui.Award" + key);
        kit::Array<Game::Player*> winners;
        for (int seat : award.seats) {
            winners.push_back(seated[static_cast<size_t>(seat)]);
        }
        kit::String winnersName = System::slotName("label_award_winners_", slot);
        if (winners.empty()) {
            System::setTextKey(screen, winnersName, "gui.AwardNobody");
        } else {
            System::setText(screen, winnersName, Game::Player::richNames(winners));
        }
        kit::String value = award.kind == Game::Awards::Kind::Luckiest
                                ? kit::format("%.1f", award.value)
                                : kit::toString(static_cast<int>(std::lround(award.value)));
        kit::String why = System::slotName("label_award_why_", slot);
        System::setVisible(screen, why, !winners.empty());
        System::setTextKey(screen, why, "{%f} gui.Award" + key + "Why " + System::literal(value));
    }
}

}  // namespace Menu
