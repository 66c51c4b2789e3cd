// The page around the game: it loads the game's module (trimvald.js) where the browser has
// WebGL, and gives the game's host what only the page has: its dialog, the cues through Web
// Audio, fullscreen with the keyboard lock, the cursor, the recording offered as a download,
// and the end of the game.
'use strict';

(function () {
  const params = new URLSearchParams(location.search);
  const canvas = document.getElementById('canvas');
  const status = document.getElementById('status');
  const progress = document.getElementById('progress');
  const box = document.getElementById('box');

  function show(id, shown) {
    document.getElementById(id).hidden = !shown;
  }

  function fail(text) {
    show('status', false);
    show('ended', false);
    canvas.hidden = true;
    document.getElementById('failed-text').textContent = text;
    show('failed', true);
  }

  // The cues. Browsers start sound only after the player's first click or key; every cue is
  // decoded once, when the game's data is there, so that none comes late.
  let audio = null;
  let playing = null;
  let wanted = null;
  const sounds = new Map();

  function audioContext() {
    if (!audio) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (Context)
        audio = new Context();
    }
    return audio;
  }

  function wakeAudio() {
    const context = audioContext();
    if (context && context.state === 'suspended')
      context.resume().catch(() => {});
  }
  for (const type of ['keydown', 'mousedown', 'touchstart'])
    document.addEventListener(type, wakeAudio, true);

  function decoded(path) {
    if (!sounds.has(path)) {
      let promise = Promise.resolve(null);
      const context = audioContext();
      if (context) {
        try {
          const bytes = Module.FS.readFile(path);
          promise = context.decodeAudioData(bytes.slice().buffer).catch(() => null);
        } catch (e) {
          // A file that cannot be read plays nothing.
        }
      }
      sounds.set(path, promise);
    }
    return sounds.get(path);
  }

  function decodeAll() {
    let names = [];
    try {
      names = Module.FS.readdir('Data/Sounds');
    } catch (e) {
      return;
    }
    for (const name of names)
      if (/\.wav$/i.test(name))
        decoded('Data/Sounds/' + name);
  }

  function stopSound() {
    wanted = null;
    if (playing) {
      try {
        playing.stop();
      } catch (e) {
        // Already ended.
      }
      playing = null;
    }
  }

  function playSound(path) {
    stopSound();
    if (!path || !audioContext())
      return;
    const token = {};
    wanted = token;
    decoded(path).then(buffer => {
      if (wanted !== token || !buffer)
        return;
      const source = audio.createBufferSource();
      source.buffer = buffer;
      source.connect(audio.destination);
      source.start();
      playing = source;
    });
  }

  // The game's message box: modal, its buttons the game's, the default one focused (Enter
  // answers it), Escape answering No (or OK).
  const IDOK = 1, IDYES = 6, IDNO = 7;

  function dialog(text, caption, yesNo, icon) {
    return new Promise(resolve => {
      document.getElementById('box-caption').textContent = caption;
      document.getElementById('box-text').textContent = text;
      box.dataset.icon = ['information', 'warning', 'error'][icon] || 'information';
      const buttons = document.getElementById('box-buttons');
      buttons.textContent = '';
      const choices = yesNo ? [['Да', IDYES], ['Нет', IDNO]] : [['OK', IDOK]];
      let answered = false;
      const finish = answer => {
        if (answered)
          return;
        answered = true;
        box.close();
        wakeAudio();
        canvas.focus();
        resolve(answer);
      };
      for (const [label, answer] of choices) {
        const button = document.createElement('button');
        button.type = 'button';
        button.textContent = label;
        button.value = String(answer);
        button.addEventListener('click', () => finish(answer));
        buttons.appendChild(button);
      }
      box.oncancel = event => {
        event.preventDefault();
        finish(yesNo ? IDNO : IDOK);
      };
      box.showModal();
      buttons.firstChild.focus();
    });
  }

  function fullscreen(on) {
    const keyboard = navigator.keyboard;
    if (on) {
      const game = document.getElementById('game');
      if (document.fullscreenElement || !game.requestFullscreen)
        return;
      // Where the browser has the keyboard lock, Escape reaches the game instead of ending
      // fullscreen (held down, it still does).
      game.requestFullscreen({navigationUI: 'hide'})
        .then(() => keyboard && keyboard.lock ? keyboard.lock(['Escape']) : null)
        .catch(() => {});
    } else {
      if (keyboard && keyboard.unlock)
        keyboard.unlock();
      if (document.fullscreenElement)
        document.exitFullscreen().catch(() => {});
    }
  }

  function showGame(caption, shown) {
    document.title = caption;
    show('status', false);
    canvas.hidden = !shown;
    if (shown)
      canvas.focus();
  }

  function offerDownload(bytes) {
    const stamp = new Date().toISOString().replace(/[-:]/g, '').replace('T', '-').slice(0, 15);
    const link = document.getElementById('recording');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'text/plain'}));
    link.download = 'trimvald-' + stamp + '.replay';
    show('download', true);
  }

  function gameEnded(code) {
    stopSound();
    fullscreen(false);
    if (document.pointerLockElement)
      document.exitPointerLock();
    canvas.hidden = true;
    show('status', false);
    document.getElementById('ended-text').textContent =
      code === 0 ? 'Игра окончена.' : 'Игра окончена (код ' + code + ').';
    show('ended', true);
    document.getElementById('again').focus();
    document.title = 'Тримвальд';
    window.trimvaldEnded = code;
  }

  document.getElementById('again').addEventListener('click', () => location.reload());

  // The player's control settings: the text of a settings file as the desktop game reads it,
  // kept in this browser's storage and read by the game when it starts. The game hands the page
  // its default file and what it found wrong in the stored one; the page never changes the text
  // behind the player's back.
  const settingsKey = 'trimvald.settings';
  const settingsBox = document.getElementById('settings');
  const settingsText = document.getElementById('settings-text');
  let settingsDefaults = '';

  function storedSettings() {
    try {
      return localStorage.getItem(settingsKey);
    } catch (e) {
      return null;  // storage refused (a private window with storage off): the defaults
    }
  }

  function settings(defaults, problems) {
    settingsDefaults = defaults;
    const stored = storedSettings();
    settingsText.value = stored === null ? defaults : stored;
    const list = document.getElementById('settings-problems');
    list.textContent = '';
    for (const problem of problems) {
      const item = document.createElement('li');
      item.textContent = problem;
      list.appendChild(item);
    }
  }

  document.getElementById('settings-open').addEventListener('click', () => {
    if (document.pointerLockElement)
      document.exitPointerLock();
    settingsBox.showModal();
    settingsText.focus();
  });
  document.getElementById('settings-close').addEventListener('click', () => settingsBox.close());
  document.getElementById('settings-defaults').addEventListener('click', () => {
    settingsText.value = settingsDefaults;
  });
  document.getElementById('settings-save').addEventListener('click', () => {
    try {
      localStorage.setItem(settingsKey, settingsText.value);
    } catch (e) {
      document.getElementById('settings-problems').textContent =
        'Браузер не даёт сохранить настройки: ' + e.message;
      return;
    }
    location.reload();
  });
  // While the page's own dialog is open, the keys are its own, not the game's.
  const ownsKeys = () => settingsBox.open;

  function hasWebGL() {
    try {
      return !!document.createElement('canvas').getContext('webgl');
    } catch (e) {
      return false;
    }
  }

  // index.html?frames keeps the time of every swap of the game's (the benchmark reads it).
  const frames = params.has('frames') ? [] : null;
  window.trimvaldFrames = frames;

  const args = [];
  if (params.has('record'))
    args.push('--record', '/session.replay');

  window.Module = {
    canvas: canvas,
    arguments: args,
    print: text => console.log(text),
    printErr: text => console.warn(text),
    setStatus: text => { progress.textContent = text; },
    onAbort: what => fail('Игра остановилась: ' + what),
    page: {dialog, playSound, fullscreen, showGame, cursor: shown => canvas.classList.toggle('no-cursor', !shown),
           offerDownload, gameEnded, settings, storedSettings, ownsKeys, frames},
  };

  const served = 'страницу нужно открывать с веб-сервера (scripts/web.sh --serve), со всеми файлами её папки.';

  // A file of the game's that does not come (a server without it, a connection broken off)
  // fails inside the module's loader, not through the script's own error: until the game has
  // started, any error is the page's end, said, rather than a page that loads for ever.
  let started = false;
  const notLoaded = what => {
    if (!started)
      fail('Игра не загрузилась (' + what + '): ' + served);
  };
  window.addEventListener('error', event => notLoaded(event.message));
  window.addEventListener('unhandledrejection', event => notLoaded(String(event.reason && event.reason.message || event.reason)));
  window.Module.onRuntimeInitialized = () => {
    started = true;
    decodeAll();
  };

  // Opened from the disk, the page may load no file of its folder (the browser's rule for
  // file:// addresses), so the module is not even tried. Without WebGL it is not loaded at all.
  if (location.protocol === 'file:') {
    fail('Страница открыта с диска, а так браузер не даёт ей загрузить файлы игры: ' + served);
  } else if (hasWebGL()) {
    const script = document.createElement('script');
    script.src = 'trimvald.js';
    script.onerror = () => fail('Файл игры trimvald.js не загрузился: ' + served);
    document.body.appendChild(script);
  } else {
    fail('Этот браузер не даёт странице WebGL, а без него игра не рисуется. Включите аппаратное ' +
         'ускорение или WebGL в настройках браузера, или откройте страницу в современном браузере.');
  }
})();
