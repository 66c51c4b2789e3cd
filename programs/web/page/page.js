// The page around the game: it loads the game's module (trimvald.js) where the browser has
// WebGL, and gives the game's host what only the page has: its dialog, the cues through Web
// Audio, fullscreen with the keyboard lock, the cursor, the recording offered as a download,
// and the end of the game. It also shows recordings: one beside the page (index.html?watch=FILE)
// or one dropped on it, which the module plays at the game's pace and checks against its end.
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
    settingsText.setSelectionRange(0, 0);
    settingsText.scrollTop = 0;
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

  // Watching. The recording is written into the module's files before it starts, and the
  // module is started with --watch; a dropped file is kept in the tab's session storage over
  // the reload that starts its watching, so that "watch again" finds it too.
  const watchedPath = '/watched.replay';
  const droppedKey = 'trimvald-dropped';
  const watching = params.has('watch') || params.has('dropped');
  // The pictures the page was asked for, by frame: RGBA rows from the bottom, in base64.
  window.trimvaldPictures = {};

  function toBase64(bytes) {
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000)
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }

  function fromBase64(text) {
    const binary = atob(text);
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i)
      bytes[i] = binary.charCodeAt(i);
    return bytes;
  }

  function picture(frame, width, height, bytes) {
    window.trimvaldPictures[frame] = {width, height, rgba: toBase64(bytes)};
  }

  function watched(outcome) {
    stopSound();
    canvas.hidden = true;
    show('status', false);
    let text;
    if (outcome.error)
      text = 'Эту запись нельзя посмотреть: ' + outcome.error;
    else if (outcome.stopped)
      text = 'Просмотр остановлен.';
    else if (!outcome.recording)
      text = 'Сценарий досмотрен. Строки конца записи в нём нет: сверять не с чем.';
    else if (outcome.reached)
      text = 'Запись досмотрена: игра пришла к записанному концу (' + outcome.verdict + ').';
    else if (outcome.exit === 4)
      text = 'Запись досмотрена, но строка её конца повреждена, сверить нельзя: ' + outcome.verdict;
    else
      text = 'Запись досмотрена, но игра пришла не к записанному концу: ' + outcome.verdict;
    document.getElementById('ended-text').textContent = text;
    const again = document.getElementById('again');
    again.textContent = 'Смотреть ещё раз';
    show('ended', true);
    again.focus();
    document.title = 'Тримвальд';
    window.trimvaldWatched = outcome;
  }

  // A file dropped on the page is watched: read here, kept, and the page started again on it.
  const dropLimit = 3 * 1024 * 1024;
  function dropped(file) {
    if (file.size > dropLimit) {
      fail('Файл ' + file.name + ' слишком велик для просмотра перетаскиванием (' + file.size +
           ' байт): положите его рядом со страницей и откройте index.html?watch=' + file.name + '.');
      return;
    }
    file.arrayBuffer().then(buffer => {
      try {
        sessionStorage.setItem(droppedKey, toBase64(new Uint8Array(buffer)));
      } catch (e) {
        fail('Файл ' + file.name + ' не помещается в хранилище страницы: положите его рядом со страницей ' +
             'и откройте index.html?watch=' + file.name + '.');
        return;
      }
      location.href = location.pathname + '?dropped=' + encodeURIComponent(file.name);
    }, () => fail('Файл ' + file.name + ' не читается.'));
  }
  document.addEventListener('dragover', event => {
    event.preventDefault();
    document.body.classList.add('dragging');
  });
  document.addEventListener('dragleave', event => {
    if (!event.relatedTarget)
      document.body.classList.remove('dragging');
  });
  document.addEventListener('drop', event => {
    event.preventDefault();
    document.body.classList.remove('dragging');
    const files = event.dataTransfer ? event.dataTransfer.files : null;
    if (files && files.length)
      dropped(files[0]);
  });

  // The recording's bytes: fetched from beside the page, or the dropped file kept.
  function recordingBytes() {
    if (params.has('dropped')) {
      const kept = sessionStorage.getItem(droppedKey);
      if (kept === null)
        return Promise.reject(new Error('перетащенный файл ' + params.get('dropped') +
                                        ' больше не хранится: перетащите его снова'));
      return Promise.resolve(fromBase64(kept));
    }
    const name = params.get('watch');
    if (!name)
      return Promise.reject(new Error('index.html?watch= называет файл записи рядом со страницей'));
    return fetch(name).then(response => {
      if (!response.ok)
        throw new Error('запись ' + name + ' не загрузилась (HTTP ' + response.status + ')');
      return response.arrayBuffer();
    }).then(buffer => new Uint8Array(buffer));
  }

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
  const preRun = [];
  if (!watching && params.has('record'))
    args.push('--record', '/session.replay');

  window.Module = {
    canvas: canvas,
    arguments: args,
    preRun: preRun,
    print: text => console.log(text),
    printErr: text => console.warn(text),
    setStatus: text => { progress.textContent = text; },
    onAbort: what => fail('Игра остановилась: ' + what),
    page: {dialog, playSound, fullscreen, showGame, cursor: shown => canvas.classList.toggle('no-cursor', !shown),
           offerDownload, gameEnded, settings, storedSettings, ownsKeys, frames, picture, watched},
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

  function loadGame() {
    const script = document.createElement('script');
    script.src = 'trimvald.js';
    script.onerror = () => fail('Файл игры trimvald.js не загрузился: ' + served);
    document.body.appendChild(script);
  }

  // Opened from the disk, the page may load no file of its folder (the browser's rule for
  // file:// addresses), so the module is not even tried. Without WebGL it is not loaded at all.
  if (location.protocol === 'file:') {
    fail('Страница открыта с диска, а так браузер не даёт ей загрузить файлы игры: ' + served);
  } else if (!hasWebGL()) {
    fail('Этот браузер не даёт странице WebGL, а без него игра не рисуется. Включите аппаратное ' +
         'ускорение или WebGL в настройках браузера, или откройте страницу в современном браузере.');
  } else if (watching) {
    document.getElementById('help').textContent =
      'Просмотр записи ' + (params.get('watch') || params.get('dropped')) +
      ': звук браузер даёт после щелчка или клавиши; Esc или F1 — остановить.';
    recordingBytes().then(bytes => {
      args.push('--watch', watchedPath, params.get('shots') || '');
      preRun.push(() => Module.FS.writeFile(watchedPath, bytes));
      loadGame();
    }, error => watched({exit: 2, error: error.message}));
  } else {
    loadGame();
  }
})();
