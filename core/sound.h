#pragma once
// The program's sound service: plays a WAV file once, without waiting. The applause after a best
// time is stored comes from here. It stays silent when the file is missing, when the machine has
// no audio output, or when the program was built without Qt Multimedia. Tests replace the player
// with a recorder.
#include <QString>

#include <memory>

class TSoundPlayer {
public:
    virtual ~TSoundPlayer();
    // Starts playing the file and returns at once; a file that cannot be played is ignored.
    virtual void play(const QString& fileName) = 0;
};

// The player in use; the first call creates the system's player.
TSoundPlayer& SoundPlayer();
// Puts another player in place and returns the one it replaces (null when none was made yet);
// a null argument brings back the system's player on the next use.
std::unique_ptr<TSoundPlayer> SetSoundPlayer(std::unique_ptr<TSoundPlayer> player);

// Plays a file through the player in use.
void PlaySound(const QString& fileName);

// "klatschen.wav" beside the program: played when a best time is stored.
QString BestTimeSoundFile();
