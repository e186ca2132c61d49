#include "client/scenes/common/HelpTexts.h"

#include <algorithm>
#include <array>

namespace kestrovan {

namespace {

using Line = quill::WStringView;

// A page's lines followed by lines another page shares.
template <size_t H, size_t T>
constexpr std::array<Line, H + T> Joined(const std::array<Line, H>& head, const std::array<Line, T>& tail) {
    std::array<Line, H + T> lines{};
    std::copy(head.begin(), head.end(), lines.begin());
    std::copy(tail.begin(), tail.end(), lines.begin() + H);
    return lines;
}

// --- The betting games' fines and fee, which both gamble pages end with ---
constexpr std::array<Line, 5> kGambleEndKo{u"상대 공을 먼저 맞히는 등 파울을 하면 벌금을 냅니다.",
                                           u"벌금은 판돈을 기준으로 계산됩니다.",
                                           u"게임이 끝나면 딴 골드의 9 %가 게임비로 빠집니다.",
                                           u"마지막 차례가 끝나기 전에 게임을 끝내면", u"딴 골드의 절반을 잃습니다."};
constexpr std::array<Line, 5> kGambleEndEn{
    u"A foul, such as hitting the opponent's ball first, pays a fine.", u"Fines are counted from the stake.",
    u"At the end 9 % of the gold won goes as the game fee.", u"Ending the game before the last turn is over",
    u"loses half of the gold won."};

// --- Four balls (0) ---
constexpr std::array<Line, 5> kFourBallSummaryKo{u"자기 공으로 빨간 공 두 개를", u"모두 맞히면 1점을 얻습니다.",
                                                 u"상대 공을 맞히면 파울입니다.", u"자기 핸디만큼 먼저 득점한",
                                                 u"선수가 이깁니다."};
constexpr std::array<Line, 8> kFourBallDetailsKo{u"수구가 빨간 공 두 개를 모두 맞혀야 득점입니다.",
                                                 u"빨간 공 하나만 맞히거나 아무 공도 맞히지 못하면 차례가 넘어갑니다.",
                                                 u"상대의 수구를 맞히면 파울이며 1점이 줄어듭니다.",
                                                 u"득점하는 동안은 계속 칠 수 있습니다.",
                                                 u"핸디는 평균 득점 x 150 을 기준으로 정해지고",
                                                 u"화면에는 10을 곱한 값으로 표시됩니다.",
                                                 u"방 설정에 따라 마지막 1점은 쓰리쿠션으로",
                                                 u"마무리해야 할 수 있습니다."};
constexpr std::array<Line, 5> kFourBallSummaryEn{u"Hit both red balls with your", u"own ball to score a point.",
                                                 u"Hitting the opponent's ball", u"is a foul. The first to reach",
                                                 u"his handicap wins."};
constexpr std::array<Line, 8> kFourBallDetailsEn{u"A point counts when your cue ball hits both red balls.",
                                                 u"Hitting one red ball or none passes the turn to the opponent.",
                                                 u"Hitting the opponent's cue ball is a foul and costs one point.",
                                                 u"You keep the turn for as long as you score.",
                                                 u"The handicap is set from your average score times 150",
                                                 u"and is shown multiplied by 10.",
                                                 u"Depending on the room setting, the last point must be",
                                                 u"made with a three-cushion shot."};

// --- One-cushion gamble (2) ---
constexpr std::array<Line, 5> kOneCushionSummaryKo{u"수구가 두 번째 공을 맞히기 전에", u"쿠션에 한 번 이상 닿으면",
                                                   u"1점입니다.", u"득점마다 골드를 주고받는", u"내기 경기입니다."};
constexpr std::array<Line, 8> kOneCushionDetailsKo =
    Joined(std::array<Line, 3>{u"득점할 때마다 다른 선수들에게서 판돈만큼 골드를 받습니다.",
                               u"판돈은 방을 만들 때 정하며 화면에 '금액 / 2배'로 표시됩니다.",
                               u"수구가 아무 공도 맞히지 못하면 벌금을 냅니다."},
           kGambleEndKo);
constexpr std::array<Line, 5> kOneCushionSummaryEn{u"A point counts when the cue ball", u"touches a cushion at least",
                                                   u"once before the second ball.", u"Every point wins gold:",
                                                   u"a betting game."};
constexpr std::array<Line, 8> kOneCushionDetailsEn =
    Joined(std::array<Line, 3>{u"Each point wins the stake in gold from the other players.",
                               u"The stake is set with the room and shown as 'amount / double'.",
                               u"A cue ball that hits no ball pays a fine."},
           kGambleEndEn);

// --- Three cushions (3) ---
constexpr std::array<Line, 5> kThreeCushionSummaryKo{u"수구가 두 번째 공을 맞히기 전에", u"쿠션에 세 번 이상 닿으면",
                                                     u"1점입니다.", u"핸디만큼 먼저 득점한 선수가", u"이깁니다."};
constexpr std::array<Line, 8> kThreeCushionDetailsKo{u"수구는 두 공을 모두 맞혀야 하며, 두 번째 공에 닿기 전에",
                                                     u"쿠션에 세 번 이상 닿아야 합니다.",
                                                     u"같은 쿠션에 여러 번 닿아도 모두 셉니다.",
                                                     u"득점하지 못하면 차례가 넘어갑니다.",
                                                     u"쓰리쿠션 핸디는 4구 핸디의 약 2.6배를 기준으로 정해집니다.",
                                                     u"방 설정에 따라 마지막 1점은 뱅크샷으로",
                                                     u"마무리해야 할 수 있습니다.",
                                                     u"상대 공을 수구로 치면 파울입니다."};
constexpr std::array<Line, 5> kThreeCushionSummaryEn{u"A point counts when the cue ball",
                                                     u"touches cushions three times", u"before the second ball.",
                                                     u"The first to reach his", u"handicap wins."};
constexpr std::array<Line, 8> kThreeCushionDetailsEn{
    u"The cue ball must hit both balls and touch cushions at least",
    u"three times before it hits the second one.",
    u"Touches of the same cushion count each time.",
    u"Missing the point passes the turn.",
    u"The three-cushion handicap is set at about 2.6 times the four-ball one.",
    u"Depending on the room setting, the last point must be",
    u"made with a bank shot.",
    u"Striking the opponent's ball is a foul."};

// --- Three cushions, international (4) ---
constexpr std::array<Line, 5> kThreeCushionProSummaryKo{u"국제 규칙의 쓰리쿠션입니다.", u"수구가 두 번째 공 전에",
                                                        u"쿠션에 세 번 닿으면 1점.", u"목표 점수에 먼저 이른",
                                                        u"선수가 이깁니다."};
constexpr std::array<Line, 7> kThreeCushionProDetailsKo{u"득점 조건은 쓰리쿠션과 같습니다.",
                                                        u"핸디 대신 모든 선수가 같은 목표 점수를 칩니다.",
                                                        u"목표 점수는 방장이 10, 15, 20, 25점 중에서 정합니다.",
                                                        u"득점하지 못하면 차례가 넘어갑니다.",
                                                        u"상대 공을 수구로 치면 파울이며 차례가 넘어갑니다.",
                                                        u"목표 점수에 먼저 이른 선수가 이깁니다.",
                                                        u"이 경기에서는 친선 경기만 할 수 있습니다."};
constexpr std::array<Line, 5> kThreeCushionProSummaryEn{u"Three cushions under", u"international rules: three",
                                                        u"cushions before the second", u"ball score a point. First to",
                                                        u"the target wins."};
constexpr std::array<Line, 7> kThreeCushionProDetailsEn{u"A point counts as in three cushions.",
                                                        u"Every player plays to the same target instead of a handicap.",
                                                        u"The room master sets the target: 10, 15, 20 or 25 points.",
                                                        u"Missing the point passes the turn.",
                                                        u"Striking the opponent's ball is a foul and passes the turn.",
                                                        u"The first player to reach the target wins.",
                                                        u"This game is played as a friendly game only."};

// --- Three-cushion gamble (5) ---
constexpr std::array<Line, 5> kThreeCushionGambleSummaryKo{u"쓰리쿠션 규칙의 내기 경기입니다.",
                                                           u"득점마다 판돈만큼 골드를", u"다른 선수들에게서 받습니다.",
                                                           u"마지막 차례가 끝나면", u"경기가 끝납니다."};
constexpr std::array<Line, 10> kThreeCushionGambleDetailsKo =
    Joined(std::array<Line, 5>{u"득점 조건은 쓰리쿠션과 같습니다: 두 번째 공을 맞히기 전에",
                               u"수구가 쿠션에 세 번 이상 닿아야 합니다.", u"득점할 때마다 판돈만큼의 골드를 받습니다.",
                               u"판돈은 방을 만들 때 정하며 화면에 '금액 / 2배'로 표시됩니다.",
                               u"아무 공도 맞히지 못하면 벌금을 냅니다."},
           kGambleEndKo);
constexpr std::array<Line, 5> kThreeCushionGambleSummaryEn{
    u"Three cushions as a betting", u"game: every point wins the", u"stake in gold from the other",
    u"players. The game ends after", u"the last turn."};
constexpr std::array<Line, 10> kThreeCushionGambleDetailsEn = Joined(
    std::array<Line, 5>{u"A point counts as in three cushions: the cue ball touches",
                        u"cushions at least three times before the second ball.", u"Each point wins the stake in gold.",
                        u"The stake is set with the room and shown as 'amount / double'.",
                        u"A cue ball that hits no ball pays a fine."},
    kGambleEndEn);

// --- Six balls (6) ---
constexpr std::array<Line, 5> kSixBallsSummaryKo{u"여섯 개의 공으로 하는", u"내기 경기입니다.", u"맞힌 공의 색에 따라",
                                                 u"점수를 얻고 숫자 카드로", u"골드가 정해집니다."};
constexpr std::array<Line, 10> kSixBallsDetailsKo{u"수구로 다른 공을 맞히면 공의 색에 따라 점수를 얻습니다.",
                                                  u"파란 공 10점, 노란 공 5점, 빨간 공 3점, 흰 공 2점.",
                                                  u"빨간 공과 흰 공을 함께 맞히면 5점입니다.",
                                                  u"한 차례에 여러 공을 맞히면 점수를 모두 더합니다.",
                                                  u"차례마다 0부터 6까지의 숫자 카드가 나옵니다.",
                                                  u"얻은 점수와 숫자 카드로 받을 골드가 정해집니다.",
                                                  u"아무 공도 맞히지 못하면 차례가 넘어갑니다.",
                                                  u"판돈은 방을 만들 때 정합니다.",
                                                  u"게임을 중간에 끝내면 건 골드를 모두 잃고",
                                                  u"패배로 기록됩니다."};
constexpr std::array<Line, 5> kSixBallsSummaryEn{u"A betting game with six balls.", u"The colour of each ball hit",
                                                 u"gives its points, and a number", u"card decides the gold won.", u""};
constexpr std::array<Line, 10> kSixBallsDetailsEn{u"Each ball your cue ball hits scores by its colour:",
                                                  u"blue 10, yellow 5, red 3, white 2 points.",
                                                  u"The red and the white ball hit together score 5.",
                                                  u"Several balls hit in one turn add their points.",
                                                  u"Every turn draws a number card from 0 to 6.",
                                                  u"The points and the number card decide the gold won.",
                                                  u"Hitting no ball passes the turn.",
                                                  u"The stake is set with the room.",
                                                  u"Leaving the game before its end loses every bet",
                                                  u"and is recorded as a loss."};

// --- 8-ball (10) ---
constexpr std::array<Line, 5> kEightBallSummaryKo{u"1~7번과 9~15번 중 자기 그룹의", u"공을 모두 넣은 뒤",
                                                  u"8번 공을 지정한 포켓에", u"넣으면 이깁니다.", u""};
constexpr std::array<Line, 10> kEightBallDetailsKo{u"브레이크 후 처음으로 공을 넣은 그룹이 자기 그룹이 됩니다.",
                                                   u"자기 그룹의 공을 넣으면 계속 칠 수 있습니다.",
                                                   u"수구가 자기 그룹의 공을 먼저 맞히지 않으면 파울입니다.",
                                                   u"수구를 포켓에 넣거나 아무 공도 맞히지 못해도 파울입니다.",
                                                   u"파울을 하면 상대가 수구를 원하는 곳에 놓고 칩니다. (프리볼)",
                                                   u"8번 공을 칠 때는 넣을 포켓을 먼저 지정해야 합니다.",
                                                   u"8번 공을 일찍 넣거나 다른 포켓에 넣으면 집니다.",
                                                   u"8번 공과 함께 수구가 들어가도 집니다.",
                                                   u"핸디는 50 단위로 정해집니다.",
                                                   u"경기 중 공이 하나 이하로 남으면 다시 랙을 놓습니다."};
constexpr std::array<Line, 5> kEightBallSummaryEn{u"Pocket your group, 1 to 7 or", u"9 to 15, then the 8 ball in",
                                                  u"the pocket you called", u"to win.", u""};
constexpr std::array<Line, 10> kEightBallDetailsEn{
    u"The first group pocketed after the break is yours.",
    u"Pocketing a ball of your group keeps the turn.",
    u"The cue ball must hit a ball of your group first, else a foul.",
    u"Pocketing the cue ball or hitting no ball is a foul too.",
    u"After a foul the opponent places the cue ball anywhere (free ball).",
    u"Before shooting at the 8 ball, call its pocket.",
    u"Pocketing the 8 ball early or in another pocket loses the game.",
    u"Pocketing the cue ball with the 8 ball loses as well.",
    u"The handicap goes in steps of 50.",
    u"With one ball or fewer left, the balls are racked again."};

// --- 9-ball (12) ---
constexpr std::array<Line, 4> kNineBallSummaryKo{u"언제나 가장 낮은 번호의 공을", u"먼저 맞혀야 합니다.",
                                                 u"9번 공을 넣은 선수가", u"이깁니다."};
constexpr std::array<Line, 8> kNineBallDetailsKo{u"수구가 테이블에 남은 가장 낮은 번호의 공을 먼저 맞혀야 합니다.",
                                                 u"그 뒤에는 어떤 공이 들어가도 득점이며 계속 칠 수 있습니다.",
                                                 u"가장 낮은 공을 먼저 맞히지 못하면 파울입니다.",
                                                 u"수구를 포켓에 넣어도 파울입니다.",
                                                 u"파울을 하면 상대가 수구를 원하는 곳에 놓고 칩니다. (프리볼)",
                                                 u"9번 공은 언제 들어가도 승리입니다.",
                                                 u"핸디는 50 단위로 정해집니다.",
                                                 u"공이 하나 이하로 남으면 다시 랙을 놓습니다."};
constexpr std::array<Line, 4> kNineBallSummaryEn{u"Always hit the lowest numbered", u"ball first.",
                                                 u"The player who pockets the", u"9 ball wins."};
constexpr std::array<Line, 8> kNineBallDetailsEn{u"The cue ball must hit the lowest numbered ball on the table first.",
                                                 u"After that every ball pocketed counts and keeps the turn.",
                                                 u"Missing the lowest ball first is a foul.",
                                                 u"Pocketing the cue ball is a foul too.",
                                                 u"After a foul the opponent places the cue ball anywhere (free ball).",
                                                 u"The 9 ball wins whenever it is legally pocketed.",
                                                 u"The handicap goes in steps of 50.",
                                                 u"With one ball or fewer left, the balls are racked again."};

// --- 14.1 straight (13) ---
constexpr std::array<Line, 3> kStraightPoolSummaryKo{u"지정한 공을 지정한 포켓에", u"넣을 때마다 1점입니다.",
                                                     u"핸디에 먼저 이르면 이깁니다."};
constexpr std::array<Line, 5> kStraightPoolDetailsKo{
    u"어느 공이든 칠 수 있지만 공과 포켓을 먼저 지정해야 합니다.", u"지정한 대로 넣으면 1점을 얻고 계속 칩니다.",
    u"공이 하나 이하로 남으면 나머지 공으로 다시 랙을 놓고 이어 칩니다.", u"파울을 하면 1점이 줄고 차례가 넘어갑니다.",
    u"핸디는 50 단위로 정해집니다."};
constexpr std::array<Line, 3> kStraightPoolSummaryEn{u"Each called ball in its called", u"pocket scores a point. First",
                                                     u"to the handicap wins."};
constexpr std::array<Line, 5> kStraightPoolDetailsEn{
    u"Any ball may be played, but call the ball and its pocket first.",
    u"A called ball pocketed scores a point and keeps the turn.",
    u"With one ball or fewer left, the others are racked again and play goes on.",
    u"A foul costs a point and passes the turn.", u"The handicap goes in steps of 50."};

template <size_t S, size_t D>
constexpr RulesPage Page(const std::array<Line, S>& summary, const std::array<Line, D>& details) {
    static_assert(S <= RulesPage::kSummaryLines && D <= RulesPage::kDetailLines);
    return RulesPage{summary, details};
}

// A game type's page in each language.
struct GamePages {
    int32_t gameType;
    RulesPage korean;
    RulesPage english;
};

const GamePages kGamePages[] = {
    {0, Page(kFourBallSummaryKo, kFourBallDetailsKo), Page(kFourBallSummaryEn, kFourBallDetailsEn)},
    {2, Page(kOneCushionSummaryKo, kOneCushionDetailsKo), Page(kOneCushionSummaryEn, kOneCushionDetailsEn)},
    {3, Page(kThreeCushionSummaryKo, kThreeCushionDetailsKo), Page(kThreeCushionSummaryEn, kThreeCushionDetailsEn)},
    {4, Page(kThreeCushionProSummaryKo, kThreeCushionProDetailsKo),
     Page(kThreeCushionProSummaryEn, kThreeCushionProDetailsEn)},
    {5, Page(kThreeCushionGambleSummaryKo, kThreeCushionGambleDetailsKo),
     Page(kThreeCushionGambleSummaryEn, kThreeCushionGambleDetailsEn)},
    {6, Page(kSixBallsSummaryKo, kSixBallsDetailsKo), Page(kSixBallsSummaryEn, kSixBallsDetailsEn)},
    {10, Page(kEightBallSummaryKo, kEightBallDetailsKo), Page(kEightBallSummaryEn, kEightBallDetailsEn)},
    {12, Page(kNineBallSummaryKo, kNineBallDetailsKo), Page(kNineBallSummaryEn, kNineBallDetailsEn)},
    {13, Page(kStraightPoolSummaryKo, kStraightPoolDetailsKo), Page(kStraightPoolSummaryEn, kStraightPoolDetailsEn)},
};

}  // namespace

RulesPage RulesPageOf(int32_t gameType, HelpLanguage language) {
    for (const GamePages& pages : kGamePages) {
        if (pages.gameType == gameType) return language == HelpLanguage::Korean ? pages.korean : pages.english;
    }
    return RulesPage{};
}

}  // namespace kestrovan
