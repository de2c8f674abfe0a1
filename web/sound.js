// The box set's sounds in the page: the built-in WAV files, each decoded once by the browser, played
// with Web Audio. Channels 0 to 3 hold one sound each (the hop, the shield, the traffic's loop, the
// rotor's loop); other cues play on a channel of their own. The browser lets audio start only from
// the player's own key or click, which every game begins with; before that nothing is played.
mergeInto(LibraryManager.library, {
  $Sounds__postset: 'Module["sounds"] = Sounds;',
  $Sounds: {
    context: null,
    buffers: {}, // by name: the decoded sound, or the promise of it
    channels: {}, // by channel: { name, source }; the source is null while the sound is decoded
    others: [], // cues playing on no channel
    idle: true, // no game runs: once nothing sounds, the audio is suspended
    heard: {}, // how often each sound was started, for the page's stories

    init: function() {
      if (Sounds.listening) return;
      Sounds.listening = true;
      var unlock = function() {
        if (!Sounds.context) {
          try {
            Sounds.context = new AudioContext();
          } catch (error) {
            return;
          }
        }
        if (Sounds.context.state === 'suspended' && !Sounds.quiet()) Sounds.context.resume().catch(function() {});
      };
      document.addEventListener('keydown', unlock, true);
      document.addEventListener('mousedown', unlock, true);
    },

    quiet: function() { return Sounds.idle && Sounds.others.length === 0 && Object.keys(Sounds.channels).length === 0; },

    rest: function() {
      if (Sounds.context && Sounds.context.state === 'running' && Sounds.quiet())
        Sounds.context.suspend().catch(function() {});
    },

    decoded: function(name, bytes) {
      if (!Sounds.buffers[name]) {
        Sounds.buffers[name] = Sounds.context.decodeAudioData(bytes.buffer).then(function(buffer) {
          Sounds.buffers[name] = buffer;
          return buffer;
        });
      }
      return Promise.resolve(Sounds.buffers[name]);
    },

    start: function(channel, name, buffer, loop) {
      var source = Sounds.context.createBufferSource();
      source.buffer = buffer;
      source.loop = loop;
      source.connect(Sounds.context.destination);
      source.onended = function() {
        if (Sounds.channels[channel] && Sounds.channels[channel].source === source) delete Sounds.channels[channel];
        var at = Sounds.others.indexOf(source);
        if (at >= 0) Sounds.others.splice(at, 1);
        Sounds.rest();
      };
      if (Sounds.context.state === 'suspended') Sounds.context.resume().catch(function() {});
      source.start();
      Sounds.heard[name] = (Sounds.heard[name] || 0) + 1;
      return source;
    },

    stop: function(source) {
      if (!source) return;
      source.onended = null;
      try { source.stop(); } catch (error) {}
    },
  },

  page_sound_play__deps: ['$Sounds'],
  page_sound_play: function(channel, name, bytes, length, loop) {
    Sounds.init();
    if (!Sounds.context) return;
    name = UTF8ToString(name);
    var playing = Sounds.channels[channel];
    if (loop && playing && playing.name === name) return;
    if (playing) {
      Sounds.stop(playing.source);
      delete Sounds.channels[channel];
    }
    var entry = { name: name, source: null };
    if (channel >= 0) Sounds.channels[channel] = entry;
    Sounds.decoded(name, HEAPU8.slice(bytes, bytes + length)).then(function(buffer) {
      if (channel >= 0 && Sounds.channels[channel] !== entry) return;
      var source = Sounds.start(channel, name, buffer, !!loop);
      if (channel >= 0) entry.source = source;
      else Sounds.others.push(source);
    }, function() {
      if (Sounds.channels[channel] === entry) delete Sounds.channels[channel];
    });
  },

  page_sound_stop__deps: ['$Sounds'],
  page_sound_stop: function(channel) {
    var playing = Sounds.channels[channel];
    if (!playing) return;
    Sounds.stop(playing.source);
    delete Sounds.channels[channel];
    Sounds.rest();
  },

  page_sound_busy__deps: ['$Sounds'],
  page_sound_busy: function(channel) { return Sounds.channels[channel] ? 1 : 0; },

  page_sound_idle__deps: ['$Sounds'],
  page_sound_idle: function(idle) {
    Sounds.init();
    Sounds.idle = !!idle;
    Sounds.rest();
  },

  page_sound_silence__deps: ['$Sounds'],
  page_sound_silence: function() {
    for (var channel in Sounds.channels) Sounds.stop(Sounds.channels[channel].source);
    Sounds.channels = {};
    Sounds.others.forEach(Sounds.stop);
    Sounds.others = [];
    Sounds.rest();
  },

  // The player's choice between visits, as the desktop keeps it in its settings file.
  page_sound_muted_remembered: function() {
    try {
      return localStorage.getItem('tolvane.muted') === 'true' ? 1 : 0;
    } catch (error) {
      return 0;
    }
  },

  page_sound_remember_muted: function(muted) {
    try {
      localStorage.setItem('tolvane.muted', muted ? 'true' : 'false');
    } catch (error) {}
  },
});
