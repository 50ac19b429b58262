#include "app/FrameInput.h"

#include <gtest/gtest.h>

#include <vector>

// A click behind 500 mouse moves is taken in the next frame, not seconds
// later; events that no step acts on never take a frame.
TEST(FrameInput, EachFrameTakesTheNextEventThatSomeStepActsOn) {
    struct Queue {
        std::vector<sf::Event::EventType> types;
        std::size_t next = 0;
        bool pollEvent(sf::Event& event) { return next < types.size() && (event = sf::Event{types[next++], {}}, true); }
    } queue{std::vector<sf::Event::EventType>(500, sf::Event::MouseMoved)};
    const auto actedOn = {sf::Event::MouseButtonPressed, sf::Event::KeyPressed, sf::Event::TextEntered,
                          sf::Event::MouseButtonReleased, sf::Event::MouseWheelScrolled, sf::Event::Closed};
    for (const sf::Event::EventType type : actedOn)
        queue.types.insert(queue.types.end(), {type, sf::Event::KeyReleased, sf::Event::MouseMoved});
    sf::Event event{};
    for (const sf::Event::EventType expected : actedOn) {
        ASSERT_TRUE(takeEvent(queue, event));
        EXPECT_EQ(event.type, expected);
    }
    EXPECT_FALSE(takeEvent(queue, event));
}
