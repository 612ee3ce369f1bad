#include "monitor/player_conversation_win32.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "monitor/player_windows_win32.h"
#include "player/player_win32.h"

namespace airvane {

struct PlayerConversation::Shared {
    struct Question {
        HWND player;
        uint64_t number;
    };
    struct Title {
        HWND player;
        std::optional<std::string> text;
    };

    HWND notify;
    UINT answerMessage;
    UINT trackMessage;
    std::optional<Question> trackQuestion;
    std::optional<TrackAnswer> trackAnswer;
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Question> question;
    std::optional<Title> title;
    bool busy = false;
    bool stopping = false;
    bool ended = false;
    uint64_t answered = 0;
    std::string answer;
    bool answerTaken = true;
    // Cuts a wait for the file-info box short: at exit, or when a newer
    // question makes the one in hand useless.
    HANDLE cancel = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    ~Shared() {
        if (cancel) CloseHandle(cancel);
    }

    // One WinampPlayer for the whole question: a player that leaves one
    // message unanswered is not sent the rest.
    static TrackAnswer askWhatTrack(const Question& asked) {
        WinampPlayer player(asked.player);
        TrackAnswer answer;
        answer.question = asked.number;
        const int state = player.isPlaying();
        if (!player.answered() || !player.alive()) return answer;
        answer.state = state;
        if (state == 0) return answer;
        answer.listPos = player.listPosition();
        answer.positionMs = player.positionMs();
        answer.lengthMs = player.lengthMs();
        return answer;
    }

    void run() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return stopping || question || title || trackQuestion; });
            if (stopping) break;
            busy = true;
            if (trackQuestion) {
                const Question asked = *std::exchange(trackQuestion, std::nullopt);
                lock.unlock();
                const TrackAnswer learnt = askWhatTrack(asked);
                lock.lock();
                trackAnswer = learnt;
                if (trackMessage) PostMessageA(notify, trackMessage, 0, 0);
            } else if (question) {
                const Question asked = *std::exchange(question, std::nullopt);
                ResetEvent(cancel);
                lock.unlock();
                const std::string path = readPlayingPath(asked.player, cancel);
                lock.lock();
                answered = asked.number;
                answer = path;
                answerTaken = false;
                PostMessageA(notify, answerMessage, 0, 0);
            } else {
                const Title job = *std::exchange(title, std::nullopt);
                lock.unlock();
                ShoutcastWindow window(job.player);
                airvane::setStreamTitle(window, job.text);
                lock.lock();
            }
            busy = false;
            changed.notify_all();
        }
        ended = true;
        changed.notify_all();
    }
};

PlayerConversation::PlayerConversation(HWND notify, UINT answerMessage, UINT trackMessage)
    : shared_(std::make_shared<Shared>()) {
    shared_->notify = notify;
    shared_->answerMessage = answerMessage;
    shared_->trackMessage = trackMessage;
    try {
        std::thread([shared = shared_] { shared->run(); }).detach();
    } catch (const std::system_error&) {
        shared_->ended = true;  // no thread: questions stay unanswered, titles unwritten
    }
}

PlayerConversation::~PlayerConversation() {
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    SetEvent(shared_->cancel);
    shared_->changed.notify_all();
    // The thread keeps its share of the state: one that is still inside a
    // message to a hung player may end after this object.
    shared_->changed.wait_for(lock, std::chrono::milliseconds(WinampPlayer::kAnswerTimeoutMs + 500),
                              [this] { return shared_->ended; });
}

void PlayerConversation::askPlayingPath(HWND player, uint64_t question) {
    std::lock_guard lock(shared_->mutex);
    shared_->question = Shared::Question{player, question};
    if (shared_->busy) SetEvent(shared_->cancel);  // a box still awaited answers an old title
    shared_->changed.notify_all();
}

void PlayerConversation::askTrack(HWND player, uint64_t question) {
    std::lock_guard lock(shared_->mutex);
    shared_->trackQuestion = Shared::Question{player, question};
    shared_->changed.notify_all();
}

bool PlayerConversation::takeTrackAnswer(TrackAnswer& answer) {
    std::lock_guard lock(shared_->mutex);
    if (!shared_->trackAnswer) return false;
    answer = *std::exchange(shared_->trackAnswer, std::nullopt);
    return true;
}

void PlayerConversation::setStreamTitle(HWND player, std::optional<std::string> title) {
    std::lock_guard lock(shared_->mutex);
    shared_->title = Shared::Title{player, std::move(title)};
    shared_->changed.notify_all();
}

bool PlayerConversation::takeAnswer(uint64_t& question, std::string& path) {
    std::lock_guard lock(shared_->mutex);
    if (shared_->answerTaken) return false;
    shared_->answerTaken = true;
    question = shared_->answered;
    path = shared_->answer;
    return true;
}

bool PlayerConversation::handBackStreamTitle(HWND player, DWORD milliseconds) {
    std::unique_lock lock(shared_->mutex);
    shared_->question.reset();
    shared_->trackQuestion.reset();
    SetEvent(shared_->cancel);
    shared_->title = Shared::Title{player, std::nullopt};
    shared_->changed.notify_all();
    return shared_->changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] {
        return shared_->ended || (!shared_->busy && !shared_->title);
    });
}

}  // namespace airvane
