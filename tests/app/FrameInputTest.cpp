#include "app/FrameInput.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// A window's event queue, as far as intake sees it.
struct EventQueue {
    std::deque<sf::Event> events;
    void push(sf::Event::EventType type) {
        sf::Event event{};
        event.type = type;
        events.push_back(event);
    }
    bool pollEvent(sf::Event& event) {
        if (events.empty()) return false;
        event = events.front();
        events.pop_front();
        return true;
    }
};

}  // namespace

// A click never waits behind a backlog of events nobody acts on, and the
// events that are acted on keep their order, one a frame.
TEST(FrameInputTest, EachFrameTakesTheNextEventSomeStepActsOn) {
    const sf::Event::EventType actedOn[] = {sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased,
                                            sf::Event::KeyPressed, sf::Event::TextEntered, sf::Event::Closed};
    const sf::Event::EventType ignored[] = {
        sf::Event::MouseMoved,  sf::Event::MouseWheelScrolled, sf::Event::MouseWheelMoved, sf::Event::LostFocus,
        sf::Event::GainedFocus, sf::Event::MouseEntered,       sf::Event::MouseLeft,       sf::Event::Resized,
        sf::Event::KeyReleased, sf::Event::JoystickMoved,      sf::Event::JoystickButtonPressed};
    EventQueue queue;
    for (int i = 0; i < 500; ++i) queue.push(sf::Event::MouseMoved);
    for (const auto type : actedOn) {
        for (const auto skipped : ignored) queue.push(skipped);
        queue.push(type);
    }
    queue.push(sf::Event::KeyReleased);

    sf::Event taken{};
    for (const auto type : actedOn) {
        ASSERT_TRUE(takeEvent(queue, taken));
        EXPECT_EQ(taken.type, type);
    }
    EXPECT_FALSE(takeEvent(queue, taken));
    EXPECT_TRUE(queue.events.empty());
}

TEST(FrameInputTest, EscapeOrACloseRequestEndsTheRunAfterTheFrameRunsToItsEnd) {
    AppDriver escape;
    escape.wireInputToOutput(0, 0);
    escape.press(escape.inputPoint(0));  // switched after this frame's transfer
    ASSERT_FALSE(escape.lamp(0));
    escape.keyPress(sf::Keyboard::Escape);
    EXPECT_FALSE(escape.app().isOpen());
    EXPECT_TRUE(escape.lamp(0)) << "the closing frame still carries values along the wires";

    AppDriver close;
    sf::Event closed{};
    closed.type = sf::Event::Closed;
    close.staleFrame(closed);
    EXPECT_TRUE(close.app().isOpen()) << "a stale close request is never acted on";
    close.keyPress(sf::Keyboard::A);
    EXPECT_TRUE(close.app().isOpen());
    close.send(closed);
    EXPECT_FALSE(close.app().isOpen());
}
