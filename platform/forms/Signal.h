#pragma once
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace platform {

// Ends a subscription when destroyed. Safe whichever of the two, the
// subscription or the signal's owner, goes first.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
    Subscription(Subscription&& other) noexcept : disconnect_(std::exchange(other.disconnect_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Reset();
            disconnect_ = std::exchange(other.disconnect_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }

    void Reset() {
        if (disconnect_) std::exchange(disconnect_, nullptr)();
    }
    bool Connected() const { return static_cast<bool>(disconnect_); }

private:
    std::function<void()> disconnect_;
};

// A list of handlers called in subscription order. A handler may end its
// own or another subscription while the signal runs, and may even end the
// signal's owner: the handlers not yet called are then skipped.
template <class... Args>
class Signal {
public:
    using Handler = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    ~Signal() { state_->ended = true; }

    [[nodiscard]] Subscription Connect(Handler handler) {
        const int id = state_->next++;
        state_->handlers.emplace(id, std::move(handler));
        std::weak_ptr<State> weak = state_;
        return Subscription([weak, id] {
            if (auto state = weak.lock()) state->handlers.erase(id);
        });
    }

    void Emit(Args... args) const {
        // Held here: a handler may destroy this signal along with its owner.
        const std::shared_ptr<State> state = state_;
        const auto snapshot = state->handlers;
        for (const auto& [id, handler] : snapshot) {
            if (state->ended) return;
            if (state->handlers.count(id)) handler(args...);
        }
    }

    std::size_t Size() const { return state_->handlers.size(); }

private:
    struct State {
        bool ended = false;
        int next = 1;
        std::map<int, Handler> handlers;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace platform
