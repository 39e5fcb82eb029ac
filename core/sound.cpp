#include "core/sound.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/rtl/folders.h"

#ifdef ORV_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#endif

TSoundPlayer::~TSoundPlayer() = default;

namespace {

// Silent: used where no audio output exists.
class SilentPlayer : public TSoundPlayer {
public:
    void play(const QString&) override {}
};

#ifdef ORV_HAVE_MULTIMEDIA
// Plays through the default audio output. One effect object is kept and reused, so that a
// second sound replaces the first instead of piling up.
class MultimediaPlayer : public TSoundPlayer {
public:
    void play(const QString& fileName) override
    {
        if (!QFileInfo(fileName).isFile() || QMediaDevices::audioOutputs().isEmpty())
            return;
        if (!effect_)
            effect_ = std::make_unique<QSoundEffect>();
        effect_->stop();
        effect_->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
        effect_->play();
    }

private:
    std::unique_ptr<QSoundEffect> effect_;
};
#endif

std::unique_ptr<TSoundPlayer>& currentPlayer()
{
    static std::unique_ptr<TSoundPlayer> player;
    return player;
}

std::unique_ptr<TSoundPlayer> systemPlayer()
{
#ifdef ORV_HAVE_MULTIMEDIA
    return std::make_unique<MultimediaPlayer>();
#else
    return std::make_unique<SilentPlayer>();
#endif
}

}  // namespace

TSoundPlayer& SoundPlayer()
{
    auto& player = currentPlayer();
    if (!player)
        player = systemPlayer();
    return *player;
}

std::unique_ptr<TSoundPlayer> SetSoundPlayer(std::unique_ptr<TSoundPlayer> player)
{
    std::unique_ptr<TSoundPlayer> previous = std::move(currentPlayer());
    currentPlayer() = std::move(player);
    return previous;
}

void PlaySound(const QString& fileName)
{
    SoundPlayer().play(fileName);
}

QString BestTimeSoundFile()
{
    return ProgramFile(QStringLiteral("klatschen.wav"));
}
