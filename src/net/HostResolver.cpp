// SPDX-License-Identifier: GPL-2.0-or-later
// HostResolver over BackgroundHostLookup. The lookup's thread posts a queued call to a QObject of
// the Start thread; the lookup is destroyed before that object, so no post can reach a deleted
// one, and a call still queued for a dropped lookup finds another generation and does nothing.
#include "net/HostResolver.h"

#include <QMetaObject>
#include <QObject>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

class BackgroundHostResolver final : public HostResolver
{
public:
    explicit BackgroundHostResolver(HostLookUp lookUp) : lookUp(std::move(lookUp)) {}

    ~BackgroundHostResolver() override
    {
        // The lookup first: once it is gone its thread can post nothing more to the receiver,
        // whose destruction then removes whatever it had posted.
        lookup.reset();
        receiver.reset();
    }

    void Start(const std::string& host, Answered answeredNow) override
    {
        Abandon();
        if (!receiver)
            receiver = std::make_unique<QObject>();
        answered = std::move(answeredNow);
        const std::uint64_t current = ++generation;
        QObject* target = receiver.get();
        lookup = std::make_unique<BackgroundHostLookup>(
            [lookUp = lookUp, host] { return lookUp(host); },
            [this, target, current] {
                QMetaObject::invokeMethod(
                    target, [this, current] { Deliver(current); }, Qt::QueuedConnection);
            });
    }

    void Abandon() override
    {
        lookup.reset();
        answered = nullptr;
    }

private:
    void Deliver(std::uint64_t delivered)
    {
        if (delivered != generation || !lookup)
            return;
        const std::optional<HostLookupAnswer> answer = lookup->Answer();
        lookup.reset();
        // Taken out first: the callback may start another lookup or destroy this resolver.
        const Answered callback = std::exchange(answered, nullptr);
        if (answer && callback)
            callback(*answer);
    }

    HostLookUp lookUp;
    std::unique_ptr<QObject> receiver; // made by the first Start, in its thread
    std::unique_ptr<BackgroundHostLookup> lookup;
    Answered answered;
    std::uint64_t generation = 0;
};

} // namespace

std::unique_ptr<HostResolver> MakeBackgroundHostResolver(HostLookUp lookUp)
{
    return std::make_unique<BackgroundHostResolver>(std::move(lookUp));
}

std::unique_ptr<HostResolver> MakeSystemHostResolver()
{
    return MakeBackgroundHostResolver(LookUpIpv4);
}
