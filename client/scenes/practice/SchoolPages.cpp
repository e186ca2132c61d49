#include "client/scenes/practice/SchoolPages.h"

#include <algorithm>
#include <array>

namespace kestrovan {

namespace {

using Lines = const char16_t* const[];

constexpr Lines kPage1 = {u"Welcome to Kestrovan.",
                          u"My name is [Vuzud]. What a name, right? Don't ask me why though.",
                          u"So now I will guide you on the path to become a carom champion."};
constexpr Lines kPage2 = {u"Press F1 at any time to open the help: the keys, the rules and the skills are all there.",
                          u"Press F3 to open the settings, where graphics, sound and control can be changed."};
constexpr Lines kPage3 = {
    u"I will give you detailed and simple briefings from now on. Don't miss anything I say, ok?",
    u"Control is accessible in the order of 4 steps: [Camera] -> [Shot] -> [Aiming] -> [Spin].",
    u"Those features are available only when you click the buttons in order,",
    u"and only after finishing the previous steps will the next step became available."};
constexpr Lines kPage4 = {u"First, the camera. Drag with the left button held down to look around the table.",
                          u"The wheel or a drag with the right button brings the camera nearer or farther."};
constexpr Lines kTasks4 = {u"1. Leftclick to rotate 360 degrees", u"2. Leftclick to turn up and down",
                           u"3. Scroll the wheel or rightclick to adjust the distance"};
constexpr Lines kPage5 = {u"Now let's hit the ball. The cue always points where the camera looks.",
                          u"Hold the Ctrl key down to draw the cue back and let it go to strike.",
                          u"The longer you hold the key, the more power goes into the shot.",
                          u"The power gauge at the bottom shows how strong the shot will be."};
constexpr Lines kTasks5 = {u"1. Press Ctrl key to hit any ball."};
constexpr Lines kPage6 = {u"A good player never hits every ball as hard as he can.",
                          u"Soft shots keep the balls close together and make the next shot easy.",
                          u"Strong shots travel around the table but are hard to control.",
                          u"Try different powers until you feel how far each one sends the ball."};
constexpr Lines kPage7 = {u"Aiming at a ball by hand takes time. Let me show you a quicker way.",
                          u"Hold the Shift key and the camera looks from above along the cue.",
                          u"Turn the view until the guide line meets the ball you want to hit,",
                          u"then let the Shift key go and play the shot as usual."};
constexpr Lines kTasks7 = {u"1. Press the Shift key to aim any solid ball(1~8)",
                           u"2. Press the Shift key to aim the stripe ball(9~15)"};
constexpr Lines kPage8 = {u"Where the cue tip meets the cue ball decides how it spins.",
                          u"Hold the right button and move the mouse to move the contact point.",
                          u"Left and right spin bend the rebound from the cushions, up and down make it follow or draw."};
constexpr Lines kTasks8 = {u"1. Change the contact point from left to right",
                           u"2. Change the contact point from up to down",
                           u"3. Play a shot when the contact point is changed."};
constexpr Lines kPage9 = {u"That is all you need to play: camera, shot, aiming and spin.",
                          u"Put them together now and play a few shots of your own.",
                          u"Nobody becomes a champion without practice, so take your time."};
constexpr Lines kTasks9 = {u"Practice to play a shot several times."};
constexpr Lines kPage10 = {u"There are other useful keys to use in the game.",
                           u"Space: when viewing the entire table at a glance (very useful).",
                           u"'T': turn on and off the ball trajectory 'R':re-watch the shot that was just made."};
constexpr Lines kPage11 = {u"Enter opens the chat line in a room, and Esc opens the room's menu.",
                           u"'V' holds the cue upright for a masse shot; F2 hides or shows the room's windows.",
                           u"Chalk your cue with 'C' before a difficult shot to avoid a miscue.",
                           u"F4 shows your own information, and F8 opens the messenger with your friends."};
constexpr Lines kPage20 = {u"Let's learn how a game is played. First, find a room in the lobby.",
                           u"Double-click a room of the list to enter it, or use Quick Join to take any free seat.",
                           u"You can also create a room of your own with the game and rules you like.",
                           u"A room with a lock needs its password; ask its players if you want to join."};
constexpr Lines kPage21 = {u"In the room, press Ready when you are prepared to play.",
                           u"When all players are ready, the room master starts the game.",
                           u"The order of play is decided at the start, and the first shooter breaks.",
                           u"Each player has a limited time for his shot, so don't think for too long."};
constexpr Lines kPage22 = {
    u"When all members of a team score, the game will end and the gained points will be awarded.",
    u"[Basic amount x gained points x rate]amount of gold will be gained from the opposing player.",
    u"You are not allowed to win more than the amount you owned.",
    u"Exp. is received according to game points, and more Exp. will help increase your level."};
constexpr Lines kPage23 = {u"The result board shows every player's points, gold and Exp. at the end.",
                           u"A winning streak is recorded in your profile, and so is your average.",
                           u"After the game the room returns to waiting, ready for the next one."};
constexpr Lines kPage24 = {
    u"If you withdraw from the game, it will be considered as a loss by withdrawal.",
    u"In case of withdrawal, your ongoing game will be recorded as a loss and you will lose bet gold.",
    u"In case of losing connection, the game will continue if you come back in 3 minutes or 3 turns."};
constexpr Lines kPage25 = {u"Players who withdraw often are shown with their count of withdrawals.",
                           u"Too many withdrawals may keep you from joining some rooms.",
                           u"So please finish the games you start, and everybody will enjoy them more."};
constexpr Lines kPage30 = {u"Every player has five skills: power, aim, right spin, left spin and elevation.",
                           u"Each level up gives you skill points, which you can spend on the skills you want.",
                           u"A higher skill makes the shot of that kind stronger and more exact.",
                           u"Open My Info with F4 to see your skills and spend your points."};
constexpr Lines kPage31 = {u"Items add to your skills while you use them.",
                           u"A cue has its own power, balance and spin, and some cues need a level to be used.",
                           u"Chalk keeps the cue tip from slipping; a good chalk lasts longer.",
                           u"Choose the items that suit your way of playing in the Item Shop."};
constexpr Lines kPage40 = {u"There are two ways to control the power of a shot: manual and auto.",
                           u"In manual mode the power is how far and how fast you draw the cue back.",
                           u"Manual mode lets a skilled player control every shot exactly.",
                           u"You can choose the mode in the settings under Control."};
constexpr Lines kPage41 = {u"Let's try the manual mode. The gauge shows the power as you draw the cue.",
                           u"Draw the cue back slowly and push it to strike at the power you want.",
                           u"Watch the number on the gauge and stop at the right moment.",
                           u"Play the shots below until both powers are within their margins."};
constexpr Lines kTasks41 = {u"1. Play a 10% power shot (5% margin of error)",
                            u"1. Play a 70% power shot (10% margin of error)"};
constexpr Lines kPage42 = {u"In auto mode the gauge rises and falls by itself while you hold the key.",
                           u"Let the key go when the gauge shows the power you want.",
                           u"Auto mode is easy to learn and good for steady shots.",
                           u"Play the shots below until both powers are within their margins."};
constexpr Lines kTasks42 = {u"1. Play a 20% power shot (5% margin of error)",
                            u"1. Play a 60% power shot (10% margin of error)"};
constexpr Lines kPage50 = {u"A masse is a shot with the cue held almost upright.",
                           u"The cue ball then curves around a ball that stands in the way.",
                           u"Hold the 'V' key to raise the cue, and move the mouse to change its angle.",
                           u"The more upright the cue, the stronger the curve."};
constexpr Lines kTasks50 = {u"1. Press 'V' key to hold the cue vertically."};
constexpr Lines kPage51 = {u"While the cue is upright, the contact point decides the direction of the curve.",
                           u"Hold the V key and the left button, and move the mouse to set the contact point.",
                           u"A masse needs a strong shot, or the ball will not curve at all.",
                           u"Try it a few times: a good masse is a beautiful thing to watch."};
constexpr Lines kTasks51 = {
    u"1. Leftclick the mouse while holding down the V key to adjust the contact point.",
    u"2. Try the strong shot with over 70% power."};
constexpr Lines kPage70 = {u"In pocket games you score by sending the object balls into the six pockets.",
                           u"8-ball, 9-ball and 14.1 each have rules of their own; let's see them one by one."};
constexpr Lines kPage71 = {u"In 8-ball there are solids (1 to 7), stripes (9 to 15) and the 8 ball.",
                           u"The first player to pocket a ball after the break takes that group.",
                           u"Pocket all balls of your group, then call a pocket and sink the 8 ball to win.",
                           u"Sinking the 8 ball too early, or in the wrong pocket, loses the game."};
constexpr Lines kPage72 = {u"A foul gives the other player the ball in hand: he may place the cue ball anywhere.",
                           u"Missing every ball, pocketing the cue ball or hitting the other group first are fouls.",
                           u"After the break, the player may continue as long as he pockets his balls.",
                           u"Plan your shots so that the cue ball stops in a good place for the next one."};
constexpr Lines kPage75 = {u"In 9-ball the cue ball must always hit the lowest numbered ball first.",
                           u"Any ball may be pocketed after that legal first contact.",
                           u"The player who pockets the 9 ball wins the game."};
constexpr Lines kPage76 = {u"Three fouls in a row lose the game, so be careful with every shot.",
                           u"A combination onto the 9 ball can end the game at any time."};
constexpr Lines kPage78 = {u"In 14.1 every legally pocketed ball counts one point.",
                           u"Each shot must be called: the ball and the pocket.",
                           u"When only one ball is left, the other fourteen are racked again.",
                           u"The first player to reach the agreed score wins the game."};
constexpr Lines kPage80 = {u"The 4 ball game is played with two red balls and two white balls.",
                           u"Your cue ball must hit both red balls in one shot to score a point.",
                           u"Hitting the other player's cue ball is a foul and loses a point.",
                           u"Keep scoring and you keep the turn; a miss passes it to the next player."};
constexpr Lines kPage81 = {u"Every player has a handicap: the points he must score to finish the game.",
                           u"A stronger player has a higher handicap, so players of any level can play together.",
                           u"Your handicap is shown beside your name in the lobby and in the room.",
                           u"It changes as your results get better or worse."};
constexpr Lines kPage82 = {u"Handicap score will be set in the order of 3-5-8-10-12-15-20--.",
                           u"Handicap starts at 30, which means a player should gain 3 points.",
                           u"Handicap is considered as the score that a player can finish in 12 innings in general,",
                           u"but in Kestrovan, it is set for 15 innings."};
constexpr Lines kPage83 = {u"When only the last point is left, the finishing shot must be a three-cushion shot.",
                           u"Some rooms ask for a bank shot instead; the room's option tells which.",
                           u"The game ends when a player makes his finishing shot."};
constexpr Lines kPage84 = {u"The Three cushion game is played with 3 61.5mm balls.",
                           u"The Handicap system applies to this game, but only half of the 4 ball scores will be applied.",
                           u"If the score is an odd number, add a point."};
constexpr Lines kPage85 = {u"To score, the cue ball must touch three cushions before it hits the second ball.",
                           u"The cushions may be touched before or between the two object balls.",
                           u"It is the hardest carom game, and the most rewarding one to master."};
constexpr Lines kPage86 = {u"In this type of the game, handicaps will not be applied.",
                           u"All players will start from the same score.", u"Points include 10,15,20,25,30.",
                           u"There is no foul or penalty, and bank shots will add a point."};
constexpr Lines kPage98 = {
    u"You've done a great job accomplishing all the quests prepared. You can go out drinking now!",
    u"Just kidding.", u"Well, quests will be updated often, and every time you successfully finish the quest,",
    u"you will be awarded with various gifts. So make sure to check it out again soon!"};
constexpr Lines kPage12Gift = {
    u"Great job! %s, you will be a very good player if you continue practicing.",
    u"But, because your skill is so low at the moment, I will give you a nice item which increases your shot power.",
    u"Make sure to use the cue I gifted to you.",
    u"If you want to learn the basics of carom, please continue to the next step."};
constexpr Lines kPage12NoGift = {
    u"Great job! %s, you will be a very good player if you continue practicing.",
    u"When your shot power is falling short, purchase a cue item or raise your skills.",
    u"Every time you level up, you can raise the skills you want by using skill points.",
    u"If you want to learn the basics of carom, please continue to the next step."};

const std::array kPages{
    SchoolPage{1, u"Welcome to Kestrovan %s..", kPage1, {}},
    SchoolPage{2, u"Shortkey - Help and Settings", kPage2, {}},
    SchoolPage{3, u"So, what is Kestrovan?", kPage3, {}},
    SchoolPage{4, u"Camera - rotation, zoom", kPage4, kTasks4},
    SchoolPage{5, u"Shot - hit the ball.", kPage5, kTasks5},
    SchoolPage{6, u"Shot - beauty of power control", kPage6, {}},
    SchoolPage{7, u"Refined control - Aiming of the object ball", kPage7, kTasks7},
    SchoolPage{8, u"Spins - change the contact point", kPage8, kTasks8},
    SchoolPage{9, u"Control - summary", kPage9, kTasks9},
    SchoolPage{10, u"Other features 1", kPage10, {}},
    SchoolPage{11, u"Other features 2", kPage11, {}},
    SchoolPage{12, u"Complete the basics of Kestrovan!", kPage12Gift, {}},
    SchoolPage{20, u"Game rules - enter the room", kPage20, {}},
    SchoolPage{21, u"Game rules - preparation and start", kPage21, {}},
    SchoolPage{22, u"Game rules - finish and reward", kPage22, {}},
    SchoolPage{23, u"Game rules - finish and reward", kPage23, {}},
    SchoolPage{24, u"Game rules - withdrawal and penalty", kPage24, {}},
    SchoolPage{25, u"Game rules - withdrawal and penalty", kPage25, {}},
    SchoolPage{30, u"About skills - skill level", kPage30, {}},
    SchoolPage{31, u"About skills - item attributes", kPage31, {}},
    SchoolPage{40, u"Power control - Manual mode", kPage40, {}},
    SchoolPage{41, u"Power control - Manual mode", kPage41, kTasks41},
    SchoolPage{42, u"Power control - Auto mode", kPage42, kTasks42},
    SchoolPage{50, u"Masse", kPage50, kTasks50},
    SchoolPage{51, u"Masse", kPage51, kTasks51},
    SchoolPage{70, u"Pocketball rules", kPage70, {}},
    SchoolPage{71, u"Pocketball rules - 8 Ball", kPage71, {}},
    SchoolPage{72, u"Pocketball rules - 8 Ball", kPage72, {}},
    SchoolPage{75, u"Pocketball rules - 9 Ball", kPage75, {}},
    SchoolPage{76, u"Pocketball rules - 9 Ball", kPage76, {}},
    SchoolPage{78, u"Pocketball rules - 14.1", kPage78, {}},
    SchoolPage{80, u"4 Ball", kPage80, {}},
    SchoolPage{81, u"4 Ball rules - Handicap", kPage81, {}},
    SchoolPage{82, u"4 Ball rules - Handicap", kPage82, {}},
    SchoolPage{83, u"4 Ball rules - finish", kPage83, {}},
    SchoolPage{84, u"Three cushion game rules", kPage84, {}},
    SchoolPage{85, u"Three cushion game rules", kPage85, {}},
    SchoolPage{86, u"Three cushion Pro - International rules", kPage86, {}},
    SchoolPage{98, u"Today's quest is over!", kPage98, {}},
};

}  // namespace

const SchoolPage* SchoolPages::Find(int32_t number) {
    const auto found = std::find_if(kPages.begin(), kPages.end(),
                                    [number](const SchoolPage& page) { return page.number == number; });
    return found != kPages.end() ? &*found : nullptr;
}

int32_t SchoolPages::Step(int32_t from, int32_t delta) {
    const int32_t direction = delta < 0 ? -1 : 1;
    // Summed wide: a page number from outside (the index's choice, a hostile value) may sit at int32's ends.
    int32_t step = static_cast<int32_t>(std::clamp<int64_t>(int64_t{from} + delta, kFirst, kLast));
    while (Find(step) == nullptr) {
        step += direction;
        if (step < kFirst) return kFirst;
        if (step > kLast) return kLast;
    }
    return step;
}

std::span<const SchoolPage> SchoolPages::All() {
    return kPages;
}

std::span<const char16_t* const> SchoolPages::BasicsDoneLines(bool rewardGiven) {
    if (rewardGiven) return kPage12NoGift;
    return kPage12Gift;
}

}  // namespace kestrovan
