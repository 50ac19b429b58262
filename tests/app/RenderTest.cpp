#include "app/ReferenceRenderer.h"
#include "support/AppDriver.h"

#include <gtest/gtest.h>

// A busy board drawn in a few draw calls looks, pixel for pixel, as drawn a
// shape at a time: overlapping chips of several sizes, saved chips with
// spaces, tabs and line breaks in their names, clocked and lit inputs, wires
// across chips and a wire under way; and so it does from frame to frame as
// values change and chips move, with chips selected under a rectangle being
// dragged, with pins named, and with the inside of a chip shown; and the
// lines that say what happened over it.
TEST(Render, TheBatchedSceneIsTheSceneDrawnAShapeAtATime) {
    AppDriver user;
    user.setPinCounts(3, 2);
    user.click(user.input(1), sf::Mouse::Middle);
    user.click(user.input(0));
    const int32_t gate = user.place("AND", {400, 300});
    const int32_t invert = user.place("NOT", {430, 320});
    user.wire(0, 0, gate, 0);
    user.wire(0, 2, invert, 0);
    user.wire(invert, 0, 0, 1);
    user.saveAs("TWO IN\tTHREE");
    user.click(user.nameBox());
    user.type(U"LINE\nBREAK");
    user.click(user.button(Widgets::Save));
    user.place("TWO IN\tTHREE", {420, 340});
    const int32_t apart = user.place("LINE\nBREAK", {1000, 600});
    user.wire(gate, 0, 0, 0);
    user.click(user.button(Widgets::Connect));
    user.click(user.input(1));
    user.holdRight({900, 800});  // the loose end follows
    user.lateFrame(800);
    user.frames(3);
    sf::RenderTexture batched, reference;
    ASSERT_TRUE(batched.create(1920, 1080) && reference.create(1920, 1080));
    const auto expectSamePixels = [&](const char* when) {
        EXPECT_LE(user.app.drawScene(batched), 4);
        EXPECT_GT(drawOneShapeAtATime(user.app, reference), 40);
        batched.display(), reference.display();
        const sf::Image a = batched.getTexture().copyToImage(), b = reference.getTexture().copyToImage();
        int differing = 0;
        for (unsigned y = 0; y < 1080; ++y)
            for (unsigned x = 0; x < 1920; ++x)
                if (a.getPixel(x, y) != b.getPixel(x, y) && differing++ < 3) ADD_FAILURE() << when << ": pixel " << x << ", " << y;
        EXPECT_EQ(differing, 0) << when;
    };
    expectSamePixels("as built");
    user.click(user.button(Widgets::Connect));  // the wire under way goes
    user.click(user.input(0));
    user.frames(2);
    expectSamePixels("after values changed");
    user.press(user.chip(gate));
    user.release({700, 700});
    expectSamePixels("after a chip moved");
    user.click(user.input(2), sf::Mouse::Middle);
    expectSamePixels("after an input began to blink");
    user.app.editor().namePin(true, 1, "cout"), user.app.editor().namePin(false, 0, "in");
    expectSamePixels("with pins named");
    user.controlClick(user.input(0));
    user.type(U"a");
    expectSamePixels("while a pin is being named");
    user.type(U"\r");
    user.key(sf::Keyboard::A, true);
    user.press({1500, 200});
    user.moveMouse({410, 330});
    expectSamePixels("with chips selected and a rectangle dragged");
    user.release({410, 330});
    user.click({1500, 200});
    user.key(sf::Keyboard::F2);
    expectSamePixels("with the timing diagram");
    user.key(sf::Keyboard::F2);
    expectSamePixels("with the timing diagram hidden again");
    user.controlClick(user.chip(apart));
    user.frames(2);
    expectSamePixels("looking inside a chip");
}
