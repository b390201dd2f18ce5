#include "link/poll_loop.h"

namespace torbex::link {

QString connectionCaption(ConnectionLabel label) {
    switch (label) {
        case ConnectionLabel::Connected: return QStringLiteral("接続中");
        case ConnectionLabel::NotConnected: return QStringLiteral("未接続");
        case ConnectionLabel::Communicating: return QStringLiteral("通信中");
        case ConnectionLabel::Blank: break;
    }
    return QString();
}

QColor connectionColour(ConnectionLabel label) {
    switch (label) {
        case ConnectionLabel::Connected: return QColor(0x00, 0xFF, 0x00);
        case ConnectionLabel::NotConnected: return QColor(0xFF, 0xFF, 0x00);
        case ConnectionLabel::Communicating: return QColor(0x00, 0xFF, 0xFF);
        case ConnectionLabel::Blank: break;
    }
    return QColor(0xC0, 0xC0, 0xC0);
}

PollLoop::PollLoop(TesterLink& link, RequestVariables& requests, PollView& view, std::function<void()> serviceComRequest)
    : m_link(link), m_requests(requests), m_view(view), m_serviceComRequest(std::move(serviceComRequest)) {}

void PollLoop::setLabel(ConnectionLabel label) {
    m_label = label;
    m_view.showConnectionLabel(label);
}

void PollLoop::Timer2_Timer() {
    // The dispatcher runs the window's events while it waits for the tester; a tick that fires
    // inside that wait would only repeat this one.
    if (m_inTick) return;
    m_inTick = true;

    if (m_requests.COM_ENA != 0) {
        if (m_requests.com_dis_ctr == 0) {
            m_serviceComRequest();
        } else {
            --m_requests.com_dis_ctr;
        }
    }

    if (m_link.deviceFound() && m_requests.COM_ERR == 0) {
        if (m_label != ConnectionLabel::Connected) m_requests.queueRequest(kRequestReadCalibration);
        setLabel(ConnectionLabel::Connected);
        m_requests.COM_ERR_CTR = 0;
    } else if (m_requests.COM_ERR_CTR < kTicksBeforeNotConnected) {
        ++m_requests.COM_ERR_CTR;
    } else {
        setLabel(ConnectionLabel::NotConnected);
        m_view.resetSerialBanner();
    }
    m_inTick = false;
}

}  // namespace torbex::link
