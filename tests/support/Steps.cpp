#include "support/Steps.h"

#include "support/AppDriver.h"

#include <map>
#include <sstream>

namespace {

const char* const STATES[] = {"Idle", "Armed", "Source", "Target"};

sf::FloatRect bounds(const sf::RectangleShape& shape) { return {shape.getPosition(), shape.getSize()}; }
sf::FloatRect bounds(const Chip& chip) { return {toScreen(chip.position()), toScreen(chip.size())}; }

// The wires as they are drawn: the board's, then the one under way.
std::vector<Wire> wiresOf(const App& app) {
    std::vector<Wire> wires(app.editor().board().wires.begin(), app.editor().board().wires.end());
    if (app.wiring().underWay()) wires.push_back(*app.wiring().underWay());
    return wires;
}

sf::FloatRect areaOf(AppDriver& user, const std::map<char, int32_t>& chips, const std::string& target) {
    const App& app = user.app;
    const Editor& editor = app.editor();
    const sf::FloatRect last = bounds(editor.palette().back());
    const std::map<std::string, sf::FloatRect> fixed{
        {"C", bounds(app.widgets().buttons[Widgets::Connect].rect)}, {"+i", bounds(app.widgets().buttons[Widgets::AddInput].rect)},
        {"-i", bounds(app.widgets().buttons[Widgets::RemoveInput].rect)}, {"+o", bounds(app.widgets().buttons[Widgets::AddOutput].rect)},
        {"-o", bounds(app.widgets().buttons[Widgets::RemoveOutput].rect)}, {"Pn", bounds(editor.palette()[0])},
        {"Pa", bounds(editor.palette()[1])}, {"P", {last.left + last.width + 20, last.top, 10, last.height}},
        {"Pc", {user.input(0).x, editor.palette()[0].position().y, 0, 50}}};
    if (fixed.count(target)) return fixed.at(target);
    if (target[0] == 'W') {  // W30: 30 px below the middle
        const Wire wire = wiresOf(app).front();
        return {toScreen((wire.sourcePoint() + wire.targetPoint()) * 0.5f) + sf::Vector2f(0, target.size() > 1 ? std::stof(target.substr(1)) : 0), {}};
    }
    if (target[0] == 'i') return inputCircle(editor, static_cast<std::size_t>(target[1] - '0')).getGlobalBounds();
    if (target[0] == 'o') return outputCircle(editor, static_cast<std::size_t>(target[1] - '0')).getGlobalBounds();
    return bounds(*editor.board().chips.find(chips.at(target[0])));
}

sf::Vector2f pointOn(const sf::FloatRect& area, char where) {
    const sf::Vector2f middle(area.left + area.width / 2, area.top + area.height / 2);
    switch (where) {
        case '<': return {area.left, middle.y};
        case '>': return {area.left + area.width, middle.y};
        case '^': return {middle.x, area.top};
        case 'v': return {middle.x, area.top + area.height};
        default: return middle;
    }
}

std::string describe(const App& app, const std::map<char, int32_t>& chips) {
    const auto name = [&chips](int32_t id) {
        for (const auto& [letter, chip] : chips)
            if (chip == id) return std::string(1, letter);
        return std::string("-");
    };
    std::ostringstream out;
    out << STATES[static_cast<int>(app.wiring().state())];
    for (const Wire& wire : wiresOf(app)) {
        const Connection& c = wire.connection;
        out << ' ' << name(c.fromChip) << c.fromPin << '>' << name(c.toChip);
        if (c.toChip != Wire::NO_TARGET) out << c.toPin;
    }
    const Board& board = app.editor().board();
    for (std::size_t i = 0; i < board.inputs.size(); ++i)
        out << (board.inputs[i].value ? " in" + std::to_string(i) : "") << (board.inputs[i].clocked ? " ~in" + std::to_string(i) : "");
    for (std::size_t i = 0; i < board.lamps.size(); ++i)
        if (board.lamps[i]) out << " lamp" << i;
    if (board.chips.size() != 3) out << " chips " << board.chips.size();
    return out.str();
}

}  // namespace

std::string playOnBoard(const std::string& steps) {
    AppDriver user;
    user.setPinCounts(2, 2);
    user.wire(user.place("NOT", {900, 300}), 0, 0, 1);  // so that X's outputs differ: 0, then 1
    user.saveAs("TWO");
    user.click(user.chip(user.board().chips.begin()->id()), sf::Mouse::Right);
    user.setPinCounts(1, 1);
    const std::map<char, int32_t> chips{{'b', 0}, {'X', user.place("TWO", {300, 300})},
                                        {'Y', user.place("AND", {600, 300})}, {'N', user.place("NOT", {900, 300})}};
    std::istringstream words(steps);
    for (std::string step; words >> step;) {
        const char how = std::string("lrmh").find(step.back()) != std::string::npos ? step.back() : 'l';
        if (how != 'l' || step.back() == 'l') step.pop_back();
        const char where = std::string("<>^v").find(step.back()) != std::string::npos ? step.back() : ' ';
        if (where != ' ') step.pop_back();
        const sf::Vector2f at = pointOn(areaOf(user, chips, step), where);
        if (how == 'h') user.holdRight(at);
        else user.click(at, how == 'r' ? sf::Mouse::Right : how == 'm' ? sf::Mouse::Middle : sf::Mouse::Left);
    }
    return describe(user.app, chips);
}
