#include "client/scenes/login/LoginTexts.h"

#include "QuillLib/core/AppEventId.h"
#include "QuillLib/core/Format.h"

namespace kestrovan {

LoginResultError LoginResultLines(uint8_t result, uint8_t maintenanceFlag) {
    switch (result) {
        case 1:
            if (maintenanceFlag != 0) {
                return {{u"현재 서버 점검작업이 진행중입니다.", u"자세한 내용은 공지사항을 참고하세요."},
                        quill::AppEventId::AppQuit};
            }
            return {{u"The client version is outdated", u"Please update the version and try again."},
                    quill::AppEventId::AppQuit};
        case 2:
            return {{u"Already logged in server.", u"Check connection on other computer."},
                    quill::AppEventId::LoginNoticeOk};
        case 3:
            return {{u"DB data is wrong.", u"Try later..."}, quill::AppEventId::AppQuit};
        case 5:
            return {{u"Wrong ID or password.", u"this error will not show (test)"}, quill::AppEventId::LoginNoticeOk};
        case 6:
            return {{u"Account use has been stopped."}, quill::AppEventId::LoginNoticeOk};
        case 7:
            return {{u"Record history cannot be retrieved.",
                     u"If the problem continues, please contact the customer service center."},
                    quill::AppEventId::LoginNoticeOk};
        default:
            return {{quill::Format(u"Authentication error... code : %d", static_cast<int>(result))},
                    quill::AppEventId::LoginNoticeOk};
    }
}

std::vector<quill::WString> LoginFailedLines(int32_t code) {
    switch (code) {
        case 1:
            return {u"InternetOpen Error.."};
        case 2:
            return {u"InternetConnect Error.."};
        case 3:
            return {u"InternetRequest Error.."};
        case 4:
            return {u"InternetSend Error.."};
        case 5:
            return {u"Result page error.."};
        case 6:
            return {u"Authentication XML error.."};
        case 7:
            return {u"Login Server is busy.."};
        case -2:
            return {u"Blocked IP..."};
        case -3:
            return {u"Blocked IP or account...Fraud user!!"};
        case -7:
            return {u"Wrong ID.."};
        case -8:
            return {u"Wrong Password.."};
        case -9:
            return {u"Server is under checkup.."};
        case -10:
            return {u"Only the users who completed the survey on", u"Kestrovan home page can participate in the CBT"};
        case -20:
            return {u"This game is not on server for your country.."};
        case -21:
            return {u"Not CBT time.. Check the schedule.."};
        default:
            return {quill::Format(u"Authentication error... code : %d", static_cast<int>(code))};
    }
}

std::vector<quill::WString> NicknameResultLines(uint8_t result) {
    switch (result) {
        case 1:
            return {u"Database error found..", u"Contact administrator.."};
        case 2:
            return {u"Already created account.. Critical error!!", u"Contact administrator.."};
        case 3:
            return {u"Someone is using this nickname..", u"Try other one.."};
        case 4:
            return {u"Nickname length is 4 to 12 bytes..", u"Try other nickname.."};
        case 5:
            return {u"Only Alphanumeric character allowed..", u"Try other nickname.."};
        default:
            return {u"Database exception..", u"Contact administrator.."};
    }
}

}  // namespace kestrovan
