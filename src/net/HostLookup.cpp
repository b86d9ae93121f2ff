// SPDX-License-Identifier: GPL-2.0-or-later
// The IPv4 lookup and its background form. The lookup's thread and its owner share one state:
// the answer under one lock, the owner's callback under another, so that onAnswer may read the
// answer while abandonment waits for nothing but a callback already running.
#include "net/HostLookup.h"

#include <arpa/inet.h>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <netdb.h>
#include <sys/socket.h>
#include <system_error>
#include <thread>
#include <utility>

std::optional<in_addr> NumericIpv4(const std::string& host)
{
    in_addr address{};
    if (::inet_aton(host.c_str(), &address) == 0)
        return std::nullopt;
    return address;
}

HostLookupAnswer LookUpIpv4(const std::string& host)
{
    if (const std::optional<in_addr> numeric = NumericIpv4(host))
        return {numeric, {}};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    const int status = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (status != 0) {
        std::string words = ::gai_strerror(status);
        // "System error" alone would not tell a person what went wrong.
        if (status == EAI_SYSTEM)
            words += std::string(": ") + std::strerror(errno);
        return {std::nullopt, words};
    }
    HostLookupAnswer answer;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr != nullptr) {
            answer.address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr;
            break;
        }
    }
    ::freeaddrinfo(found);
    if (!answer.address)
        answer.failure = "no IPv4 address";
    return answer;
}

std::optional<sockaddr_storage> NumericIpv6(const std::string& host)
{
    addrinfo hints{};
    hints.ai_family = AF_INET6;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0)
        return std::nullopt;
    std::optional<sockaddr_storage> address;
    if (found != nullptr && found->ai_addr != nullptr &&
        found->ai_addrlen <= sizeof(sockaddr_storage)) {
        address.emplace();
        std::memcpy(&*address, found->ai_addr, found->ai_addrlen);
    }
    ::freeaddrinfo(found);
    return address;
}

HostLookupAnswer LookUpAnyAddress(const std::string& host)
{
    HostLookupAnswer answer;
    if (const std::optional<in_addr> numeric = NumericIpv4(host)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr = *numeric;
        answer.address = numeric;
        answer.addresses.emplace_back();
        std::memcpy(&answer.addresses.back(), &address, sizeof address);
        return answer;
    }
    if (const std::optional<sockaddr_storage> numeric = NumericIpv6(host)) {
        answer.addresses.push_back(*numeric);
        return answer;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    const int status = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (status != 0) {
        answer.failure = ::gai_strerror(status);
        if (status == EAI_SYSTEM)
            answer.failure += std::string(": ") + std::strerror(errno);
        return answer;
    }
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        const bool known = entry->ai_family == AF_INET || entry->ai_family == AF_INET6;
        if (!known || entry->ai_addr == nullptr || entry->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        sockaddr_storage address{};
        std::memcpy(&address, entry->ai_addr, entry->ai_addrlen);
        if (entry->ai_family == AF_INET && !answer.address)
            answer.address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr;
        answer.addresses.push_back(address);
    }
    ::freeaddrinfo(found);
    if (answer.addresses.empty())
        answer.failure = "no address";
    return answer;
}

struct BackgroundHostLookup::SharedState
{
    mutable std::mutex answerMutex;
    std::condition_variable answered;
    std::optional<HostLookupAnswer> answer;

    std::mutex callbackMutex;
    std::function<void()> onAnswer; // emptied by abandonment
};

namespace {

// An exception must not leave the detached thread (it would end the program); it becomes the
// lookup's failure instead.
HostLookupAnswer RunWork(const BackgroundHostLookup::Work& work)
{
    try {
        return work();
    } catch (const std::exception& error) {
        return {std::nullopt, error.what()};
    } catch (...) {
        return {std::nullopt, "the lookup failed"};
    }
}

} // namespace

BackgroundHostLookup::BackgroundHostLookup(std::string host, std::function<void()> onAnswer)
    : BackgroundHostLookup([host = std::move(host)] { return LookUpIpv4(host); },
                           std::move(onAnswer))
{}

BackgroundHostLookup::BackgroundHostLookup(Work work, std::function<void()> onAnswer)
    : state(std::make_shared<SharedState>())
{
    state->onAnswer = std::move(onAnswer);
    const auto finish = [](SharedState& shared, HostLookupAnswer answer) {
        {
            std::lock_guard lock(shared.answerMutex);
            shared.answer = std::move(answer);
        }
        shared.answered.notify_all();
        std::lock_guard lock(shared.callbackMutex);
        if (shared.onAnswer)
            shared.onAnswer();
    };
    try {
        std::thread([shared = state, work = std::move(work), finish] {
            finish(*shared, RunWork(work));
        }).detach();
    } catch (const std::system_error& error) {
        finish(*state, {std::nullopt, std::string("cannot start the lookup: ") + error.what()});
    }
}

BackgroundHostLookup::~BackgroundHostLookup()
{
    std::function<void()> dropped;
    {
        std::lock_guard lock(state->callbackMutex);
        dropped = std::exchange(state->onAnswer, nullptr);
    }
    // `dropped` goes here, outside the lock and on the owner's thread, with whatever it holds.
}

std::optional<HostLookupAnswer> BackgroundHostLookup::Answer() const
{
    std::lock_guard lock(state->answerMutex);
    return state->answer;
}

std::optional<HostLookupAnswer>
BackgroundHostLookup::WaitUntil(std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(state->answerMutex);
    state->answered.wait_until(lock, deadline, [this] { return state->answer.has_value(); });
    return state->answer;
}
