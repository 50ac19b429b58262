#include "app/FrameInput.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// A window's event queue, as far as intake sees it.
struct EventQueue {
    std::deque<sf::Event> events;
    bool pollEvent(sf::Event& event) {
        if (events.empty()) return false;
        event = events.front();
        events.pop_front();
        return true;
    }
};

sf::Event eventOf(sf::Event::EventType type) {
    sf::Event event{};
    event.type = type;
    return event;
}

}  // namespace

TEST(FrameInputTest, AClickBehindHundredsOfMouseMovesIsTakenInTheNextFrame) {
    EventQueue queue;
    for (int i = 0; i < 500; ++i) queue.events.push_back(eventOf(sf::Event::MouseMoved));
    queue.events.push_back(eventOf(sf::Event::MouseButtonPressed));
    queue.events.push_back(eventOf(sf::Event::MouseButtonReleased));

    sf::Event taken{};
    ASSERT_TRUE(takeEvent(queue, taken));
    EXPECT_EQ(taken.type, sf::Event::MouseButtonPressed);
    // One acted-on event per frame: the release waits for the next frame.
    ASSERT_TRUE(takeEvent(queue, taken));
    EXPECT_EQ(taken.type, sf::Event::MouseButtonReleased);
    EXPECT_FALSE(takeEvent(queue, taken));
}

TEST(FrameInputTest, OnlyEventsSomeStepActsOnAreTaken) {
    for (const auto type : {sf::Event::Closed, sf::Event::KeyPressed, sf::Event::TextEntered,
                            sf::Event::MouseButtonPressed, sf::Event::MouseButtonReleased})
        EXPECT_TRUE(isActedOn(eventOf(type))) << type;
    for (const auto type :
         {sf::Event::MouseMoved, sf::Event::MouseWheelScrolled, sf::Event::MouseWheelMoved,
          sf::Event::LostFocus, sf::Event::GainedFocus, sf::Event::MouseEntered,
          sf::Event::MouseLeft, sf::Event::Resized, sf::Event::KeyReleased,
          sf::Event::JoystickMoved, sf::Event::JoystickButtonPressed})
        EXPECT_FALSE(isActedOn(eventOf(type))) << type;
}

TEST(FrameInputTest, TypedCharactersKeepTheirOrderOnePerFrame) {
    EventQueue queue;
    for (const sf::Uint32 c : {U'a', U'b', U'c'}) {
        sf::Event keyDown = eventOf(sf::Event::KeyPressed);
        sf::Event text = eventOf(sf::Event::TextEntered);
        text.text.unicode = c;
        queue.events.push_back(keyDown);
        queue.events.push_back(text);
        queue.events.push_back(eventOf(sf::Event::KeyReleased));
    }
    std::u32string typed;
    sf::Event taken{};
    while (takeEvent(queue, taken))
        if (taken.type == sf::Event::TextEntered) typed.push_back(taken.text.unicode);
    EXPECT_EQ(typed, U"abc");
}

TEST(FrameInputTest, EscapeOrACloseRequestEndsTheRunAfterTheFrame) {
    AppDriver escape;
    EXPECT_TRUE(escape.app().isOpen());
    escape.keyPress(sf::Keyboard::Escape);
    EXPECT_FALSE(escape.app().isOpen());

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
