#pragma once

#include "editing/Board.h"
#include "editing/BoardRecord.h"
#include "editing/BoardLayout.h"
#include "editing/History.h"
#include "editing/InsideView.h"
#include "editing/Keeper.h"
#include "editing/Pace.h"
#include "editing/Palette.h"
#include "storage/LibraryFile.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// What the user edits and keeps — the board, the palette of saved chips, the
// name typed, the undo history and the pace of the circuit — and the edits a
// user makes, in the user's words. Each edit checks its limits, records its
// own undo step and marks the work for keeping; none knows the mouse, the
// keyboard or a window, so an editor runs in a test without a display.
//
// What the user must know (a chip refused, a file not written, an edit
// undone) is said: the words for the window wait in `takeNotices`, and a
// failure goes to the terminal at once.
class Editor {
public:
    using Time = std::chrono::microseconds;
    static constexpr Time BLINK_PERIOD = std::chrono::milliseconds(700);

    // NOT and AND in the palette, one input and one output on the board. The
    // chips' ids are drawn from the C library's generator.
    Editor(const BoardLayout& layout, LabelWidth labelWidth, Time now = Time{0});
    // Writes what is not kept yet.
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    const BoardLayout& layout() const { return layout_; }
    const Board& board() const { return board_; }
    const Palette& palette() const { return palette_; }
    const std::string& name() const { return name_; }
    const Pace& pace() const { return pace_; }
    const History& history() const { return history_; }
    Time blinkRestartedAt() const { return blinkRestartedAt_; }
    // How often the board was replaced whole (an undo, a redo, a chip opened,
    // a kept board put on it): what holds its chips lets them go when it grows.
    uint64_t boardsReplaced() const { return boardsReplaced_; }

    // No chip, board or palette may grow larger, nor a chip or board nest
    // deeper; tests lower them. The history keeps what fits in its budget.
    void setLimits(int64_t largestChip, int32_t deepestChip) { largestChip_ = largestChip, deepestChip_ = deepestChip; }
    void setHistoryBudget(std::size_t bytes) { history_ = History(bytes); }

    // Joins the kept chips to the palette, each as saving it would, puts the
    // kept board on the board and the kept name in the name box, and from
    // now on keeps the work in the file.
    void keepIn(LibraryFile file, Library kept);
    // The work as the library file keeps it.
    Library work() const;
    // Writes the work when it is due; `ending` when the editor is about to end.
    void keepWhenDue(Time now, bool ending = false);
    // Writes what is not kept yet, before the editor ends: whether all is
    // kept. A write that fails says so, and that a second request to quit
    // quits without keeping.
    bool keepBeforeEnding(Time now);

    // The board's pins. A switch is no step, but it is kept.
    void addInput();
    void removeInput();  // never the last one, nor below one
    void addOutput();
    void removeOutput();
    void switchInput(int32_t input);
    void toggleBlinking(int32_t input);
    // Names a board input or output, at most 12 characters; an empty name
    // leaves it unnamed. Saving makes the board's names the chip's.
    void namePin(bool output, int32_t pin, std::string name);

    // A copy of the palette entry on the board, under an id no board chip
    // has, where the entry stands, as tall as its pins need; the placement
    // and the moves that follow it are one step. None when refused.
    const Chip* place(const PaletteEntry& entry);
    // Moves the chip, held inside the board frame. The moves of one chip
    // until `endMove` (or an edit of another kind) are one step.
    void moveChip(const Chip& chip, Point to);
    void endMove();
    // The chip goes with every wire that touches it.
    void removeChip(const Chip& chip);

    // Chips taken together: this board's, each once. Each edit is one step.
    // Moves them as one, the first to `to` as nearly as the board frame
    // holds them all; the moves of the same chips until `endMove` are one step.
    void moveChips(const std::vector<const Chip*>& chips, Point to);
    // They go with every wire that touches them.
    void removeChips(const std::vector<const Chip*>& chips);
    // The text of the chips and the wires between them, as the clipboard
    // holds it; a cut removes them too.
    std::string copy(const std::vector<const Chip*>& chips) const;
    std::string cut(const std::vector<const Chip*>& chips);
    // The chips of a copied text, under ids no board chip has, with the wires
    // between them, their top-left at `at`, held inside the frame as a whole.
    // None when refused, and why is said.
    std::vector<const Chip*> paste(const std::string& text, Point at);
    // Copies of the chips and the wires between them, DUPLICATE_OFFSET right
    // and down, held inside the frame as a whole.
    static constexpr Point DUPLICATE_OFFSET{20.f, 20.f};
    std::vector<const Chip*> duplicate(const std::vector<const Chip*>& chips);

    // A wire under way, completed: false, and nothing changes, when one of
    // its ends names no pin or its target is fed already (which is said).
    bool connect(const Wire& wire);
    // `partOfLastStep`: the wires deleted in one hold of the mouse button
    // are one step, with the removal that began it.
    void deleteWire(const Wire& wire, bool partOfLastStep = false);

    // The name the board is saved under; kept, but no step.
    void setName(std::string name);
    // The board as a chip in the palette, under the name typed: in place of
    // the entry of that name, or at the end, when the name box empties. A
    // wire under way is saved as a connection too.
    enum class Saved { Refused, Appended, Replaced };
    Saved save(const std::optional<Connection>& wireUnderWay = std::nullopt);
    // The board the saved chip was saved from, or its inside laid out anew,
    // with its name typed. NOT and AND have nothing inside to open.
    bool canOpen(const PaletteEntry& entry) const;
    void open(const PaletteEntry& entry);
    // Never NOT or AND.
    void removeFromPalette(const PaletteEntry& entry);
    // An empty board: one input, one output, no chips, no name.
    void newBoard();
    void scrollPalette(int entries) { palette_.scroll(entries); }

    // Every chip that holds an older version of a palette chip brought up to
    // date: the saved chips rebuilt from their kept boards, inner chips
    // first, and the board's chips replaced where they stand
    // (editing/OlderCopies.h).
    void updateOlderCopies();

    // Takes back the last step, or does again the last one taken back.
    void undo();
    void redo();

    // Opening a saved chip remembers the board that stood. Going back leaves
    // the chip looked into, a level at a time, or else brings back the board
    // the last opening left, exactly as it stood, with its name: a step that
    // leaves the palette as it is.
    void back();
    // Shows the inside of a chip of the board shown (a board chip, or one of
    // the chip looked into), running, for looking only; nothing for NOT and
    // AND. Nothing is recorded or kept: the board runs on as it would.
    void lookInside(const Chip& chip);
    const InsideView* inside() const { return inside_ ? &*inside_ : nullptr; }
    // The board, or while looking inside a chip, its inside.
    const Board& shownBoard() const { return inside_ ? inside_->board() : board_; }
    // The boards opened and the chips looked into from the first board, as
    // "CPU > ADD4 > FULLADD"; empty on the first board.
    std::string path() const;
    // Each frame: the inside shows the values of its chip as they stand, and
    // ends once the chip is gone.
    void showInside();
    // A press that would edit the inside looked at does nothing, and the
    // first of a look says so.
    void refuseInside();

    // One step of the circuit when the pace has one due: clocked inputs
    // blink every 700 ms, then every chip is evaluated and every wire carries.
    void runFrame(Time now);
    // While paused nothing moves, and blinking inputs hold: their period
    // starts again when the circuit runs again.
    void togglePause(Time now);
    // While paused, one step's evaluation and transfer.
    void stepByHand();
    void slower() { pace_.slower(); }
    void faster() { pace_.faster(); }

    // What the board's pins did at each of the last steps (BoardRecord::STEPS),
    // from the start; nothing while paused. Opening a chip starts it anew,
    // and so does undoing or redoing an opening: its steps were of another
    // circuit.
    const SignalRecord& record() const { return record_.signals(); }
    // The record as a VCD beside the library file, named for it and for
    // `now` in local time (chips-20250131-142502.vcd), or in the working
    // folder without one (vorplex-...), never over a file that is there:
    // where it went, and why not when the write failed. Said either way.
    struct Export {
        std::string path;
        std::optional<std::string> failure;
    };
    Export exportRecord(std::time_t now);

    // How the board is shown, brought up to date each frame: lamps no wire
    // feeds go dark, and the wires' ends follow their pins.
    void blackenUnfedLamps();
    void followPinsWithWireEnds();
    // Puts the wire's ends on the pins it joins, those that are on the board.
    void followPins(Wire& wire) const;

    // The words said since last asked, oldest first.
    std::vector<std::string> takeNotices();

    // A pin of a chip on the board or in the palette.
    struct PinOf {
        const Chip* chip;
        bool output;
        int32_t pin;
    };
    // The pin whose circle holds the point, on the chips drawn last first.
    std::optional<PinOf> pinAt(Point point) const;
    // What a pin is called, for the user: "FULLADD: cin", or "FULLADD: in 2"
    // for a pin without a name; in UTF-8. A board chip's pins are named as
    // its palette chip's, while that has as many.
    std::string pinLabel(const PinOf& pin) const;

private:
    // A drag under way: the chips, and what stood before they moved, unless
    // the placement that began it is the step.
    struct Move {
        std::vector<const Chip*> chips;
        std::optional<Board> before;
        Point start;
    };

    // Records what stood before an edit about to be made, and marks the work
    // for keeping. A drag that moved its chip becomes a step of its own first.
    void record(const std::string& what, bool palette = false, bool name = false, bool wholeBoard = false);
    History::State stateNow(bool palette, bool name, bool wholeBoard = false) const;
    void settleMove();
    void restore(History::State state);
    void replaceBoard(Board board);
    void workChanged();
    void say(const std::string& words, const std::string& line = "");
    void say(const std::string& words, const std::vector<std::string>& lines);

    // The chip, one of this board's.
    Chip& own(const Chip& chip) { return const_cast<Chip&>(chip); }
    bool moving(const Chip& chip) const;
    void removeChips(const std::vector<const Chip*>& chips, const std::string& what);
    // Puts the piece's chips on the board, their top-left at `at`; `done` is
    // what the step is called in the past tense.
    std::vector<const Chip*> addPiece(const KeptBoard& piece, Point at, const std::string& what, const std::string& done);
    void blinkClockedInputs(Time now);

    bool fitsInPalette(int64_t size, const std::string& name);
    bool tooLarge(int64_t size, const std::string& name, const char* refused, const char* what);
    void sayTooLarge(const std::string& name, const char* refused, const char* what);
    bool tooDeep(int32_t depth, const std::string& name, const char* refused, const char* what);

    KeptBoard keptBoard(const Board& board) const;
    Board boardFrom(const KeptBoard& kept) const;

    BoardLayout layout_;
    LabelWidth labelWidth_;
    Board board_;
    Palette palette_;
    std::string name_;
    History history_;
    Pace pace_;
    Time blinkRestartedAt_;
    int64_t largestChip_ = LARGEST_CHIP;
    int32_t deepestChip_ = DEEPEST_CHIP;
    std::optional<Move> move_;
    std::optional<Keeper> keeper_;
    std::vector<bool> fedLamps_;  // worked out every frame, its memory kept
    BoardRecord record_;
    std::vector<std::string> notices_;
    WayBack way_;
    std::optional<InsideView> inside_;
    KeptBoards kept_;  // the boards saved chips were saved from
    uint64_t boardsReplaced_ = 0;
};
