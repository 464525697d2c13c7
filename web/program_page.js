// The whole program in the page: the menus, the drawing area, the status
// bar, the dialogs and the files around the module's session. Every call
// into the module goes through one queue, one after the other; a call that
// asks the user waits (the module's stack put aside) until the page's
// dialog answers, and while it waits nothing else calls the module.
// Names and messages are only ever put in text, never in markup.
(function () {
  'use strict';

  var app = {
    M: null,
    state: null,
    queue: Promise.resolve(),
    pending: 0,       // calls queued or running
    dialogOpen: 0,    // dialogs the module waits for
    width: 640,
    height: 480,
    lastPointer: { x: 0, y: 0, clientX: 0, clientY: 0 },
    replayTimer: 0,
    menus: new Map(),  // name -> {item, entry}
    shortcuts: [],
  };
  window.sakuzuApp = app;

  var $ = function (id) { return document.getElementById(id); };
  var stack = $('stack');
  var area = $('area');

  // ------------------------------------------------------------ texts
  // The page's own captions, in the language the program shows.
  var TEXTS = {
    japanese: {
      examples: '見本の図', device: '端末のファイルを開く…',
      drop: 'ファイルをここにドロップしても開けます', close: '閉じる', record: '測定記録',
      csv: 'CSV形式で保存', html: 'HTML形式で保存', view: 'ページを開く',
      dictionary: '辞書ファイル(dic_zk4.txt)…', restore: '前回の作業を復元しますか',
      restoreYes: '復元', restoreNo: '破棄', failed: 'このブラウザでは作図を実行できません',
      cancel: 'キャンセル', ok: 'OK',
    },
    english: {
      examples: 'Examples', device: 'Open a file on this device…',
      drop: 'or drop a file here', close: 'Close', record: 'Recorded values',
      csv: 'Save as CSV', html: 'Save as HTML', view: 'Open the page',
      dictionary: 'Dictionary file (dic_zk4.txt)…', restore: 'Restore the work of the last session?',
      restoreYes: 'Restore', restoreNo: 'Discard', failed: 'This browser cannot run Sakuzu',
      cancel: 'Cancel', ok: 'OK',
    },
  };
  function T(key) {
    var english = app.state ? app.state.english : /^en/.test(navigator.language || '');
    return (english ? TEXTS.english : TEXTS.japanese)[key];
  }

  // ----------------------------------------------------- the module

  function utf8(text) { return new TextEncoder().encode(text); }

  function withBytes(bytes, work) {
    var M = app.M;
    var pointer = M._malloc(bytes.length + 1);
    M.HEAPU8.set(bytes, pointer);
    M.HEAPU8[pointer + bytes.length] = 0;
    try {
      return work(pointer, bytes.length);
    } finally {
      M._free(pointer);
    }
  }

  // Queues a call; `work` may return the promise of an asking call.
  function enqueue(work) {
    app.pending++;
    var job = app.queue.then(function () { return work(); }).then(function (value) {
      app.pending--;
      refresh();
      return value;
    }, function (error) {
      app.pending--;
      notice(T('failed') + ': ' + error);
    });
    app.queue = job;
    return job;
  }

  // A call that may ask the user: made so that it can wait. The calls of
  // the events are kept (the last thousand), so that a test can make the
  // same steps through the program's core and compare the results.
  app.log = [];
  function ask(name, types, args) {
    app.log.push([name].concat(args));
    if (app.log.length > 1000) app.log.shift();
    return app.M.ccall(name, 'number', types, args, { async: true });
  }

  function command(name) {
    closeMenus();
    return enqueue(function () {
      return ask('sakuzu_program_command', ['string'], [name]).then(function () {
        if (/^mnuOFile/.test(name)) keepSettings();
      });
    });
  }

  function readState() {
    return JSON.parse(app.M.UTF8ToString(app.M._sakuzu_program_state()));
  }

  function reply(pointer) {
    var length = app.M._sakuzu_program_reply_length();
    return app.M.HEAPU8.slice(pointer, pointer + length);
  }

  // ----------------------------------------------------------- state

  // The status bar, caption and menus, when the module has news for them:
  // a drag step that changed none of them costs nothing here.
  function refresh(force) {
    if (!app.M || app.dialogOpen) return;
    if (!force && app.state && !app.M._sakuzu_program_changed()) return;
    var state = readState();
    app.state = state;
    document.title = state.caption;
    for (var k = 0; k < 4; ++k) $('panel' + (k + 1)).textContent = state.panels[k];
    $('prompt').textContent = state.prompt;
    $('panel4').classList.toggle('raised', state.raised);
    stack.firstChild.style.cursor = state.cursor === 'move' ? 'move' : 'default';
    document.documentElement.lang = state.english ? 'en' : 'ja';
    updateMenus(state.menus);
    if (state.replay && !app.replayTimer) {
      app.replayTimer = setInterval(function () {
        if (app.pending === 0) enqueue(function () { return ask('sakuzu_program_tick', [], []); });
      }, Math.max(20, state.interval));
    } else if (!state.replay && app.replayTimer) {
      clearInterval(app.replayTimer);
      app.replayTimer = 0;
    }
    if (state.popup) openPopup(state.popup, app.lastPointer.clientX, app.lastPointer.clientY);
    // Saved: the copy in the browser's storage is no longer needed.
    if (app.wasModified && !state.modified) forgetRecovery();
    app.wasModified = state.modified;
  }

  function notice(text) {
    var box = $('notice');
    box.textContent = text;
    box.hidden = !text;
  }

  // ----------------------------------------------------------- menus

  function parseKeys(text) {
    if (!text) return null;
    var parts = text.split('+');
    var key = parts.pop();
    return { ctrl: parts.indexOf('Ctrl') >= 0, shift: parts.indexOf('Shift') >= 0,
             alt: parts.indexOf('Alt') >= 0, key: key.toUpperCase() };
  }

  function buildMenus(entries) {
    var bar = $('menubar');
    entries.forEach(function (entry) {
      var parent = entry.p ? app.menus.get(entry.p) : null;
      var node;
      if (!parent) {
        node = document.createElement('div');
        node.className = 'top';
        var head = document.createElement('button');
        head.type = 'button';
        head.className = 'head';
        head.setAttribute('role', 'menuitem');
        node.appendChild(head);
        head.addEventListener('click', function (event) {
          event.stopPropagation();
          if (!entry.s) {
            command(entry.n);
            return;
          }
          var wasOpen = node.classList.contains('open');
          closeMenus();
          if (!wasOpen) node.classList.add('open');
        });
        head.addEventListener('mouseenter', function () {
          if (!entry.s || !bar.querySelector('.top.open') || node.classList.contains('open')) return;
          closeMenus();
          if (!head.disabled) node.classList.add('open');
        });
        bar.appendChild(node);
      } else {
        node = document.createElement('li');
        node.setAttribute('role', 'menuitem');
        var caption = document.createElement('span');
        caption.className = 'caption';
        var keys = document.createElement('span');
        keys.className = 'keys';
        node.appendChild(caption);
        node.appendChild(keys);
        if (entry.s) node.classList.add('sub');
        parent.list().appendChild(node);
        node.addEventListener('click', function (event) {
          event.stopPropagation();
          if (node.classList.contains('disabled')) return;
          if (entry.s) {
            node.classList.toggle('open');
            return;
          }
          command(entry.n);
        });
        node.addEventListener('mouseenter', function () {
          var siblings = node.parentNode.children;
          for (var i = 0; i < siblings.length; ++i) {
            if (siblings[i] !== node) siblings[i].classList.remove('open');
          }
          if (entry.s && !node.classList.contains('disabled')) node.classList.add('open');
        });
      }
      var record = {
        node: node,
        list: function () {
          var list = node.querySelector(':scope > ul.menu');
          if (!list) {
            list = document.createElement('ul');
            list.className = 'menu';
            list.setAttribute('role', 'menu');
            node.appendChild(list);
          }
          return list;
        },
      };
      app.menus.set(entry.n, record);
    });
    document.addEventListener('click', function () {
      // The click a browser sends after a long press must not close the
      // pop-up menu the long press opened.
      if (Date.now() < app.keepPopupUntil) return;
      closeMenus();
    });
  }

  function updateMenus(entries) {
    var text = JSON.stringify(entries);
    if (text === app.menuText) return;
    app.menuText = text;
    if (app.menus.size === 0) buildMenus(entries);
    app.shortcuts = [];
    entries.forEach(function (entry) {
      var record = app.menus.get(entry.n);
      var node = record.node;
      node.hidden = !entry.v;
      if (node.classList.contains('top')) {
        var head = node.firstChild;
        head.textContent = entry.c;
        head.disabled = !entry.e;
        head.dataset.name = entry.n;
      } else {
        node.dataset.name = entry.n;
        node.querySelector('.caption').textContent = entry.c;
        node.querySelector('.keys').textContent = entry.k || '';
        node.classList.toggle('disabled', !entry.e);
        node.classList.toggle('checked', entry.x === 1);
        node.setAttribute('aria-disabled', entry.e ? 'false' : 'true');
      }
      if (entry.k && !entry.s) app.shortcuts.push({ name: entry.n, keys: parseKeys(entry.k) });
    });
  }

  // An item's command runs when it and every menu above it are shown and
  // enabled, as a shortcut of the window does.
  function available(name) {
    var entries = app.state ? app.state.menus : [];
    var byName = {};
    entries.forEach(function (e) { byName[e.n] = e; });
    for (var e = byName[name]; e; e = byName[e.p]) {
      if (!e.v || !e.e) return false;
    }
    return true;
  }

  // A menu item's caption as the menus show it now.
  function menuCaption(name) {
    var entry = app.state && app.state.menus.find(function (e) { return e.n === name; });
    return entry ? entry.c : '';
  }

  function closeMenus() {
    document.querySelectorAll('#menubar .open, .menu .open').forEach(function (node) {
      node.classList.remove('open');
    });
    var popup = document.querySelector('.popup');
    if (popup) popup.remove();
  }

  function openPopup(entries, x, y) {
    closeMenus();
    var box = document.createElement('div');
    box.className = 'popup';
    var list = document.createElement('ul');
    list.className = 'menu';
    list.setAttribute('role', 'menu');
    entries.forEach(function (entry) {
      if (!entry.v) return;
      var item = document.createElement('li');
      item.setAttribute('role', 'menuitem');
      item.dataset.name = entry.n;
      item.textContent = entry.c;
      item.addEventListener('click', function (event) {
        event.stopPropagation();
        box.remove();
        command(entry.n);
      });
      list.appendChild(item);
    });
    box.appendChild(list);
    box.style.left = Math.min(x, window.innerWidth - 220) + 'px';
    box.style.top = Math.min(y, window.innerHeight - 120) + 'px';
    document.body.appendChild(box);
  }

  // ----------------------------------------------------- drawing area

  var layers = [];
  for (var k = 0; k < 6; ++k) {
    var canvas = document.createElement('canvas');
    layers.push(canvas);
    stack.appendChild(canvas);
  }
  var target = layers[0];

  function fit() {
    if (!app.M) return;
    var rect = stack.getBoundingClientRect();
    var width = Math.max(16, Math.floor(rect.width)), height = Math.max(16, Math.floor(rect.height));
    var ratio = window.devicePixelRatio || 1;
    var sameSize = width === app.width && height === app.height && app.M.sakuzuScale === ratio;
    if (sameSize && layers[0].width === Math.round(width * ratio)) return;
    for (var k = 0; k < layers.length; ++k) {
      layers[k].width = Math.round(width * ratio);
      layers[k].height = Math.round(height * ratio);
      layers[k].style.width = width + 'px';
      layers[k].style.height = height + 'px';
    }
    app.M.sakuzuScale = ratio;
    app.M.sakuzuScaledFonts.clear();
    var resized = width !== app.width || height !== app.height;
    app.width = width;
    app.height = height;
    if (app.dialogOpen) return;
    enqueue(function () {
      if (resized) app.M._sakuzu_program_resize(width, height);
      else app.M._sakuzu_program_repaint();
    });
  }

  function where(event) {
    var rect = target.getBoundingClientRect();
    app.lastPointer = { x: event.clientX - rect.left - 0.5, y: event.clientY - rect.top - 0.5,
                        clientX: event.clientX, clientY: event.clientY };
    return app.lastPointer;
  }

  function pointerCall(kind, p, button, held, event) {
    var shift = event && event.shiftKey ? 1 : 0, ctrl = event && event.ctrlKey ? 1 : 0;
    return enqueue(function () {
      return ask('sakuzu_program_pointer',
                 ['number', 'number', 'number', 'number', 'number', 'number', 'number'],
                 [kind, p.x, p.y, button, held ? 1 : 0, shift, ctrl]);
    });
  }

  // Moves are taken once a frame, and only the last of a frame counts.
  var move = null, moveFrame = 0, held = false;
  function flushMove() {
    if (moveFrame) cancelAnimationFrame(moveFrame);
    moveFrame = 0;
    if (!move) return;
    if (app.dialogOpen) {
      move = null;
      return;
    }
    if (app.pending > 0) {  // the last call is not done: the next frame
      moveFrame = requestAnimationFrame(flushMove);
      return;
    }
    var m = move;
    move = null;
    pointerCall(1, m.p, -1, m.held, m.event);
  }

  // Touch: a tap picks, a drag drags, a long press opens the pop-up.
  var touch = null;
  var kLongPressMs = 550, kSlop = 8;

  target.addEventListener('pointerdown', function (event) {
    closeMenus();
    if (app.dialogOpen) return;
    event.preventDefault();
    try { target.setPointerCapture(event.pointerId); } catch (e) { /* gone already */ }
    var p = where(event);
    if (event.pointerType === 'touch') {
      touch = { start: p, event: event, pressed: false, timer: 0 };
      touch.timer = setTimeout(function () {
        if (!touch || touch.pressed) return;
        touch.pressed = 'right';
        pointerCall(0, touch.start, 1, false, touch.event);
      }, kLongPressMs);
      return;
    }
    var button = event.button === 2 ? 1 : event.button === 1 ? 2 : 0;
    held = button === 0;
    flushMove();
    pointerCall(0, p, button, held, event);
  });

  target.addEventListener('pointermove', function (event) {
    var p = where(event);
    if (touch) {
      if (touch.pressed === 'right') return;
      if (!touch.pressed) {
        if (Math.hypot(p.x - touch.start.x, p.y - touch.start.y) < kSlop) return;
        clearTimeout(touch.timer);
        touch.pressed = 'left';
        held = true;
        pointerCall(0, touch.start, 0, true, touch.event);
      }
    }
    move = { p: p, held: held, event: event };
    if (!moveFrame) moveFrame = requestAnimationFrame(flushMove);
  });

  function release(event) {
    var p = where(event);
    if (touch) {
      clearTimeout(touch.timer);
      var pressed = touch.pressed;
      touch = null;
      if (pressed === 'right') {
        app.keepPopupUntil = Date.now() + 600;
        return;
      }
      if (!pressed) pointerCall(0, p, 0, true, event);  // a tap
    }
    flushMove();
    var button = event.button === 2 ? 1 : event.button === 1 ? 2 : 0;
    held = false;
    pointerCall(2, p, button, false, event);
  }
  target.addEventListener('pointerup', release);
  target.addEventListener('pointercancel', release);
  target.addEventListener('contextmenu', function (event) { event.preventDefault(); });

  // The wheel zooms about the pointer (a touchpad's pinch comes as the
  // wheel with Ctrl); the turns of a frame go as one.
  var wheel = null;
  target.addEventListener('wheel', function (event) {
    event.preventDefault();
    if (app.dialogOpen) return;
    var p = where(event);
    var unit = event.deltaMode === 1 ? 3 : event.deltaMode === 2 ? 0.1 : 100;
    if (!wheel) {
      wheel = { p: p, notches: 0, factor: 1 };
      requestAnimationFrame(function () {
        var w = wheel;
        wheel = null;
        enqueue(function () {
          if (w.factor !== 1) {
            return ask('sakuzu_program_pinch', ['number', 'number', 'number'], [w.p.x, w.p.y, w.factor]);
          }
          return ask('sakuzu_program_wheel', ['number', 'number', 'number'], [w.p.x, w.p.y, w.notches]);
        });
      });
    }
    wheel.p = p;
    if (event.ctrlKey) wheel.factor *= Math.exp(-event.deltaY / 100);
    else wheel.notches += -event.deltaY / unit;
  }, { passive: false });

  // Two fingers pinch: the view zooms about their middle.
  var fingers = new Map(), pinch = null;
  function spread() {
    var points = Array.from(fingers.values());
    return { d: Math.hypot(points[0].x - points[1].x, points[0].y - points[1].y),
             x: (points[0].x + points[1].x) / 2, y: (points[0].y + points[1].y) / 2 };
  }
  target.addEventListener('pointerdown', function (event) {
    if (event.pointerType !== 'touch') return;
    var rect = target.getBoundingClientRect();
    fingers.set(event.pointerId, { x: event.clientX - rect.left, y: event.clientY - rect.top });
    if (fingers.size === 2) {
      if (touch) clearTimeout(touch.timer);
      touch = null;  // a pinch, not a tap or a drag
      pinch = spread();
    }
  }, true);
  target.addEventListener('pointermove', function (event) {
    if (!fingers.has(event.pointerId)) return;
    var rect = target.getBoundingClientRect();
    fingers.set(event.pointerId, { x: event.clientX - rect.left, y: event.clientY - rect.top });
    if (fingers.size !== 2 || !pinch) return;
    event.stopImmediatePropagation();
    var now = spread();
    if (pinch.d > 0 && now.d > 0 && Math.abs(now.d / pinch.d - 1) > 0.02 && app.pending === 0) {
      var factor = now.d / pinch.d;
      pinch = now;
      enqueue(function () {
        return ask('sakuzu_program_pinch', ['number', 'number', 'number'], [now.x, now.y, factor]);
      });
    }
  }, true);
  function lift(event) {
    fingers.delete(event.pointerId);
    if (fingers.size < 2) pinch = null;
  }
  target.addEventListener('pointerup', lift, true);
  target.addEventListener('pointercancel', lift, true);

  // ------------------------------------------------------------- keys

  function matches(keys, event) {
    if (keys.ctrl !== (event.ctrlKey || event.metaKey) || keys.shift !== event.shiftKey ||
        keys.alt !== event.altKey) {
      return false;
    }
    var key = event.key.length === 1 ? event.key.toUpperCase() : event.key.toUpperCase();
    if (key === keys.key) return true;
    // Shifted digits and letters: the key itself.
    return event.code === 'Key' + keys.key || event.code === 'Digit' + keys.key;
  }

  function keyCode(event) {
    var named = { Enter: 13, Escape: 27, ' ': 32, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39,
                  ArrowDown: 40, Delete: 46 };
    if (event.key in named) return named[event.key];
    var f = /^F(\d+)$/.exec(event.key);
    if (f && +f[1] >= 1 && +f[1] <= 12) return 111 + +f[1];
    if (event.key.length === 1) {
      var c = event.key.toUpperCase().charCodeAt(0);
      if (c > 0 && c < 128) return c;
    }
    return 0;
  }

  document.addEventListener('keydown', function (event) {
    if (app.dialogOpen || !app.M) return;
    if (event.target.closest && event.target.closest('.dialog, #textpanel')) return;
    if (event.key === 'Escape' && document.querySelector('#menubar .open, .popup')) {
      closeMenus();
      event.preventDefault();
      return;
    }
    for (var i = 0; i < app.shortcuts.length; ++i) {
      var s = app.shortcuts[i];
      if (!matches(s.keys, event)) continue;
      event.preventDefault();
      if (available(s.name)) command(s.name);
      return;
    }
    // Redo has a second key, as in the window.
    if ((event.ctrlKey || event.metaKey) && event.shiftKey && event.key.toUpperCase() === 'Z') {
      event.preventDefault();
      var redo = app.state && app.state.menus.some(function (e) { return e.n === 'mnuEasy_Redo' && e.v; })
          ? 'mnuEasy_Redo' : 'mnuERedo';
      if (available(redo)) command('mnuERedo');
      return;
    }
    var code = keyCode(event);
    if (code === 0 || event.altKey) return;
    if (event.ctrlKey || event.metaKey) {
      // Keep the browser's own Ctrl keys the program does not use.
      if (code < 112) return;
    }
    event.preventDefault();
    enqueue(function () {
      return ask('sakuzu_program_key', ['number', 'number', 'number'],
                 [code, event.shiftKey ? 1 : 0, event.ctrlKey ? 1 : 0]);
    });
  });

  // ----------------------------------------------------------- dialogs

  function modal(title, build) {
    var shade = document.createElement('div');
    shade.className = 'modal';
    var box = document.createElement('div');
    box.className = 'dialog';
    box.setAttribute('role', 'dialog');
    box.setAttribute('aria-modal', 'true');
    var heading = document.createElement('h2');
    heading.textContent = title || '';
    box.appendChild(heading);
    var body = document.createElement('div');
    body.className = 'body';
    box.appendChild(body);
    shade.appendChild(box);
    document.body.appendChild(shade);
    build(body, box);
    return shade;
  }

  // Focus at once, so that a key pressed the moment a dialog shows is the
  // dialog's; and again after the event that opened it, should that event
  // move the focus.
  function focusNow(box, element, select) {
    if (!element) return;
    element.focus();
    if (select) element.select();
    setTimeout(function () {
      if (!box.contains(document.activeElement)) element.focus();
    });
  }

  function button(parent, caption, run, name) {
    var b = document.createElement('button');
    b.type = 'button';
    b.textContent = caption;
    if (name) b.name = name;
    b.addEventListener('click', run);
    parent.appendChild(b);
    return b;
  }

  function textBlock(parent, text) {
    var t = document.createElement('div');
    t.className = 'text';
    t.textContent = text;
    parent.appendChild(t);
    return t;
  }

  // Every dialog the module asks for; the answer is a text. Nothing here
  // calls the module: it waits.
  var dialogs = {
    question: function (request, done) {
      var shade = modal(request.title, function (body, box) {
        textBlock(body, request.text);
        var row = document.createElement('div');
        row.className = 'buttons';
        request.buttons.forEach(function (caption, i) {
          button(row, caption, function () { finish(i); });
        });
        body.appendChild(row);
        focusNow(box, row.firstChild);
      });
      function finish(i) {
        shade.remove();
        done(String(i));
      }
      shade.addEventListener('keydown', function (event) {
        event.stopPropagation();
        if (event.key === 'Escape') finish(request.buttons.length - 1);
        var keys = request.keys || '';
        var i = keys.indexOf(event.key.toUpperCase());
        if (i >= 0 && event.key.length === 1) finish(i);
      });
    },
    message: function (request, done) { dialogs.question(request, done); },
    input: function (request, done) {
      var field;
      var shade = modal(request.title, function (body, box) {
        textBlock(body, request.text);
        field = document.createElement('input');
        field.type = 'text';
        field.value = request.value;
        body.appendChild(field);
        var row = document.createElement('div');
        row.className = 'buttons';
        button(row, request.ok, function () { finish(true); });
        button(row, request.cancel, function () { finish(false); });
        body.appendChild(row);
        focusNow(box, field, true);
      });
      function finish(ok) {
        shade.remove();
        done(ok ? 'ok ' + field.value : 'cancel');
      }
      shade.addEventListener('keydown', function (event) {
        event.stopPropagation();
        if (event.key === 'Enter') finish(true);
        if (event.key === 'Escape') finish(false);
      });
    },
    color: function (request, done) {
      var field;
      var shade = modal('', function (body) {
        field = document.createElement('input');
        field.type = 'color';
        field.value = request.value;
        body.appendChild(field);
        var row = document.createElement('div');
        row.className = 'buttons';
        button(row, request.ok, function () { shade.remove(); done(field.value); });
        button(row, request.cancel, function () { shade.remove(); done(''); });
        body.appendChild(row);
      });
    },
    controls: controlsDialog,
    form: formDialog,
    // The status bar before a question, while the module waits for it.
    status: function (request, done) {
      for (var k = 0; k < 4; ++k) $('panel' + (k + 1)).textContent = request.panels[k];
      $('prompt').textContent = request.prompt;
      done();
    },
    beep: function (request, done) {
      var bar = $('status');
      bar.classList.add('beep');
      setTimeout(function () { bar.classList.remove('beep'); }, 150);
      done('');
    },
    text: function (request, done) {
      var panel = $('textpanel');
      if (request.caption) $('textcaption').textContent = request.caption;
      var text = $('text');
      text.textContent = request.append ? text.textContent + request.text : request.text;
      panel.hidden = false;
      done('');
    },
    download: function (request, done) {
      var bytes = Uint8Array.from(atob(request.base64), function (c) { return c.charCodeAt(0); });
      save(new Blob([bytes], { type: request.type }), request.name);
      done('ok');
    },
    document: recordDialog,
    picture: function (request, done) {
      compose().toBlob(function (blob) {
        var name = (app.state ? app.state.name : 'untitled.zk4').replace(/\.zk4$/i, '') + '.png';
        done('');
        if (!blob) return;
        // The clipboard where the browser allows it, else a download.
        if (request.format === 'clipboard' && navigator.clipboard && window.ClipboardItem) {
          navigator.clipboard.write([new ClipboardItem({ 'image/png': blob })])
            .catch(function () { save(blob, name); });
          return;
        }
        save(blob, name);
      }, 'image/png');
    },
    print: function (request, done) {
      var image = document.createElement('img');
      image.src = compose().toDataURL('image/png');
      var sheet = $('print');
      sheet.textContent = '';
      sheet.appendChild(image);
      done('');
      setTimeout(function () { window.print(); }, 0);
    },
    open: openDialog,
    language: languageDialog,
  };

  function moduleDialog(json) {
    var request = JSON.parse(json);
    var handler = dialogs[request.kind];
    if (!handler) return Promise.resolve('');
    app.dialogOpen++;
    closeMenus();
    return new Promise(function (resolve) {
      handler(request, function (answer) {
        app.dialogOpen--;
        resolve(answer);
      });
    });
  }

  // The number choice and the expression input: the module's model says
  // what every control shows; the page sends back what the user did.
  function controlsDialog(request, done) {
    var answered = false;
    function act(text) {
      if (answered) return;
      answered = true;
      shade.remove();
      done(text);
    }
    var shade = modal(request.title, function (body, box) {
      var row = null;
      request.controls.forEach(function (c) {
        if (c.type === 'list') {
          var list = document.createElement('div');
          list.className = 'list' + (c.enabled ? '' : ' disabled');
          list.tabIndex = 0;
          list.dataset.name = c.name;
          c.lines.forEach(function (line, i) {
            var item = document.createElement('div');
            item.textContent = line;
            if (i === c.selected) item.className = 'selected';
            item.addEventListener('click', function () { if (c.enabled) act('select ' + i); });
            item.addEventListener('dblclick', function () { if (c.enabled) act('double ' + i); });
            list.appendChild(item);
          });
          list.addEventListener('keydown', function (event) {
            if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
              event.preventDefault();
              var next = Math.max(0, Math.min(c.lines.length - 1,
                                              c.selected + (event.key === 'ArrowDown' ? 1 : -1)));
              act('select ' + next);
            }
          });
          body.appendChild(list);
          row = null;
          return;
        }
        if (!c.visible) return;
        if (c.type === 'label' || c.type === 'display') {
          var label = document.createElement('div');
          label.className = c.type === 'display' ? 'display' : 'text';
          label.textContent = c.text;
          body.appendChild(label);
          row = null;
          return;
        }
        if (!row) {
          row = document.createElement('div');
          row.className = 'row';
          body.appendChild(row);
        }
        if (c.type === 'textbox') {
          var field = document.createElement('input');
          field.type = 'text';
          field.name = c.name;
          field.value = c.text;
          field.disabled = !c.enabled;
          field.addEventListener('change', function () { act('text ' + c.name + ' ' + field.value); });
          field.addEventListener('keydown', function (event) {
            if (['Enter', 'Escape', 'ArrowUp', 'ArrowDown'].indexOf(event.key) < 0) return;
            event.preventDefault();
            event.stopPropagation();
            // The key with the text typed so far.
            act('key ' + c.name + ' ' + event.key + ' ' + field.value);
          });
          row.appendChild(field);
          return;
        }
        var b = button(row, c.text, function () { act('click ' + c.name); }, c.name);
        b.disabled = !c.enabled;
      });
      var focus = request.focus && (body.querySelector('[name="' + CSS.escape(request.focus) + '"]') ||
                                 body.querySelector('[data-name="' + CSS.escape(request.focus) + '"]'));
      focusNow(box, focus || body.querySelector('.list, button'));
    });
    shade.addEventListener('keydown', function (event) {
      event.stopPropagation();
      var from = event.target.name || (event.target.dataset && event.target.dataset.name) || '';
      if (event.key === 'Escape') act('key ' + from + ' Escape');
      if (event.key === 'Enter' && from === 'NumList') act('key NumList Enter');
    });
  }
  // The attribute dialogs: named fields; OK sends every field's value.
  function formDialog(request, done) {
    var fields = [];
    var shade = modal(request.title, function (body, box) {
      request.fields.forEach(function (f) {
        var row = document.createElement('div');
        row.className = 'row';
        if (f.type === 'label') {
          textBlock(row, f.text);
          body.appendChild(row);
          return;
        }
        var label = document.createElement('label');
        label.textContent = f.label || '';
        row.appendChild(label);
        var input;
        if (f.type === 'text') {
          input = document.createElement('input');
          input.type = 'text';
          input.value = f.value;
        } else {
          input = document.createElement('select');
          f.items.forEach(function (item, i) {
            var option = document.createElement('option');
            option.value = String(i);
            option.textContent = item;
            input.appendChild(option);
          });
          input.value = String(f.selected);
          if (f.selected < 0 || f.selected >= f.items.length) input.selectedIndex = -1;
        }
        input.name = f.name;
        input.disabled = f.enabled === false;
        label.htmlFor = input.id = 'field-' + f.name;
        row.appendChild(input);
        body.appendChild(row);
        fields.push({ request: f, input: input });
      });
      var row = document.createElement('div');
      row.className = 'buttons';
      button(row, request.ok, function () { finish(true); }, 'OK');
      button(row, request.cancel, function () { finish(false); }, 'Cancel');
      body.appendChild(row);
      focusNow(box, body.querySelector('input, select') || row.firstChild);
    });
    function finish(ok) {
      shade.remove();
      if (!ok) return done('cancel');
      var lines = fields.map(function (f) {
        var value = f.input.value;
        if (f.request.type === 'select' && f.input.selectedIndex < 0) value = String(f.request.selected);
        return f.request.name + '=' + value.replace(/[\r\n]/g, ' ');
      });
      done('ok\n' + lines.join('\n'));
    }
    shade.addEventListener('keydown', function (event) {
      event.stopPropagation();
      if (event.key === 'Escape') finish(false);
      if (event.key === 'Enter' && event.target.tagName !== 'BUTTON') finish(true);
    });
  }

  // The record of values: both files from the program's folder.
  function recordDialog(request, done) {
    var folder = request.path.replace(/[^/]*$/, '');
    function file(name) {
      try { return app.M.FS.readFile(folder + name); } catch (e) { return null; }
    }
    var shade = modal(T('record'), function (body) {
      var row = document.createElement('div');
      row.className = 'buttons';
      [['temp.csv', 'csv', 'text/csv'], ['temp.htm', 'html', 'text/html']].forEach(function (f) {
        var bytes = file(f[0]);
        var b = button(row, T(f[1]), function () { save(new Blob([bytes], { type: f[2] }), f[0]); });
        b.disabled = !bytes;
      });
      button(row, T('close'), function () { shade.remove(); });
      body.appendChild(row);
    });
    done(file('temp.htm') ? 'ok' : '');
  }

  function save(blob, name) {
    var link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    setTimeout(function () { URL.revokeObjectURL(link.href); link.remove(); }, 1000);
  }

  // The drawing as one picture: the layers bottom to top.
  function compose() {
    var picture = document.createElement('canvas');
    picture.width = layers[0].width;
    picture.height = layers[0].height;
    var ctx = picture.getContext('2d');
    layers.forEach(function (layer) { ctx.drawImage(layer, 0, 0); });
    return picture;
  }

  // ------------------------------------------------------------ files

  function readFile(file, merge) {
    var reader = new FileReader();
    reader.onload = function () {
      openBytes(file.name, new Uint8Array(reader.result), merge ? 1 : 0);
    };
    reader.readAsArrayBuffer(file);
  }

  function openBytes(name, bytes, kind) {
    return enqueue(function () {
      var nameBytes = utf8(name);
      var namePointer = app.M._malloc(nameBytes.length + 1);
      app.M.HEAPU8.set(nameBytes, namePointer);
      app.M.HEAPU8[namePointer + nameBytes.length] = 0;
      var dataPointer = app.M._malloc(bytes.length + 1);
      app.M.HEAPU8.set(bytes, dataPointer);
      return ask('sakuzu_program_file', ['number', 'number', 'number', 'number'],
                 [kind, namePointer, dataPointer, bytes.length]).then(function (taken) {
        app.M._free(namePointer);
        app.M._free(dataPointer);
        return taken;
      });
    });
  }

  function openDialog(request, done) {
    var shade = modal(menuCaption(request.merge ? 'mnuMerge' : 'mnuLoad'), function (body) {
      if (!request.merge) textBlock(body, T('examples'));
      var list = document.createElement('div');
      list.className = 'figures';
      Object.keys(sakuzuFigures).forEach(function (name) {
        button(list, name, function () {
          shade.remove();
          var bytes = Uint8Array.from(atob(sakuzuFigures[name]), function (c) { return c.charCodeAt(0); });
          openBytes(name, bytes, request.merge ? 1 : 0);
        });
      });
      body.appendChild(list);
      var drop = document.createElement('div');
      drop.className = 'drop';
      drop.textContent = T('drop');
      body.appendChild(drop);
      var row = document.createElement('div');
      row.className = 'buttons';
      button(row, T('device'), function () {
        shade.remove();
        var picker = $('picker');
        picker.value = '';
        picker.dataset.merge = request.merge ? '1' : '';
        picker.click();
      }, 'device');
      button(row, T('cancel'), function () { shade.remove(); });
      body.appendChild(row);
    });
    done('');
  }

  $('picker').addEventListener('change', function () {
    var file = this.files && this.files[0];
    if (file) readFile(file, this.dataset.merge === '1');
  });

  // A file dropped on the page opens (after the save question).
  document.addEventListener('dragover', function (event) { event.preventDefault(); });
  document.addEventListener('drop', function (event) {
    event.preventDefault();
    var file = event.dataTransfer && event.dataTransfer.files[0];
    if (!file) return;
    var shade = document.querySelector('.modal');
    if (shade) shade.remove();
    readFile(file, false);
  });

  function languageDialog(request, done) {
    var choice;
    var shade = modal('Select Language', function (body) {
      choice = document.createElement('select');
      [['Japanese', 'Japanese'], ['English', 'English'], ['Manual', 'Manual(use dic_zk4.txt)']]
        .forEach(function (pair) {
          var option = document.createElement('option');
          option.value = pair[0];
          option.textContent = pair[1];
          choice.appendChild(option);
        });
      choice.value = app.state && /^(japanese|english|manual)$/i.test(app.state.language)
          ? app.state.language[0].toUpperCase() + app.state.language.slice(1).toLowerCase() : 'Japanese';
      body.appendChild(choice);
      var row = document.createElement('div');
      row.className = 'buttons';
      button(row, T('dictionary'), function () { $('dictionarypicker').click(); });
      button(row, 'OK', function () {
        shade.remove();
        var setting = choice.value;
        enqueue(function () {
          return ask('sakuzu_program_set_language', ['string'], [setting]).then(keepSettings);
        });
      });
      button(row, 'Cancel', function () { shade.remove(); });
      body.appendChild(row);
    });
    done('');
  }

  $('dictionarypicker').addEventListener('change', function () {
    var file = this.files && this.files[0];
    if (!file) return;
    file.arrayBuffer().then(function (buffer) {
      var bytes = new Uint8Array(buffer);
      app.M.FS.writeFile('/sakuzu/dic_zk4.txt', bytes);
      store('sakuzu.dictionary', bytesToBase64(bytes));
    });
  });

  // --------------------------------------------------- keeping work

  function store(key, value) {
    try { localStorage.setItem(key, value); } catch (e) { /* storage full or off */ }
  }
  function stored(key) {
    try { return localStorage.getItem(key); } catch (e) { return null; }
  }
  function bytesToBase64(bytes) {
    var text = '';
    for (var i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(text);
  }
  function base64ToBytes(text) {
    return Uint8Array.from(atob(text), function (c) { return c.charCodeAt(0); });
  }

  // The settings file of the program's folder, kept in the browser.
  function keepSettings() {
    try {
      store('sakuzu.settings', bytesToBase64(app.M.FS.readFile('/sakuzu/config_zkwin.txt')));
    } catch (e) { /* never saved */ }
  }

  // A copy of unsaved work: every 30 seconds and when the page is hidden,
  // when the program is at rest.
  function keepRecovery() {
    if (!app.M || app.pending > 0 || app.dialogOpen || !app.state) return;
    if (!app.state.modified || app.state.mode !== 2) return;
    var bytes = reply(app.M._sakuzu_program_figure());
    if (bytes.length === 0) return;
    store('sakuzu.recovery', JSON.stringify({
      name: app.state.name, written: new Date().toISOString(), figure: bytesToBase64(bytes) }));
  }
  function forgetRecovery() {
    try { localStorage.removeItem('sakuzu.recovery'); } catch (e) { /* nothing kept */ }
  }
  setInterval(keepRecovery, 30000);
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden') keepRecovery();
  });
  window.addEventListener('beforeunload', function (event) {
    if (!app.state || !app.state.modified) return;
    keepRecovery();
    event.preventDefault();
    event.returnValue = '';
  });

  function offerRecovery() {
    var text = stored('sakuzu.recovery');
    if (!text) return;
    var copy;
    try { copy = JSON.parse(text); } catch (e) { forgetRecovery(); return; }
    var shade = modal('Sakuzu', function (body) {
      textBlock(body, T('restore') + '\n\n' + copy.name + '\n' + new Date(copy.written).toLocaleString());
      var row = document.createElement('div');
      row.className = 'buttons';
      button(row, T('restoreYes'), function () {
        shade.remove();
        openBytes(copy.name, base64ToBytes(copy.figure), 2);
      }, 'restore');
      button(row, T('restoreNo'), function () { shade.remove(); forgetRecovery(); }, 'discard');
      body.appendChild(row);
    });
  }

  // ---------------------------------------------------------- start

  $('textclose').addEventListener('click', function () { $('textpanel').hidden = true; });

  // Installed from a web server, the program keeps working offline.
  if (/^https?:$/.test(location.protocol) && 'serviceWorker' in navigator) {
    var manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'sakuzu.webmanifest';
    document.head.appendChild(manifest);
    navigator.serviceWorker.register('sakuzu-sw.js').catch(function () { /* not served beside */ });
  }

  createSakuzu().then(function (M) {
    app.M = M;
    M.sakuzuLayers = layers;
    M.sakuzuDialog = moduleDialog;
    // What needs no answer: shown while the module goes on.
    M.sakuzuNotice = function (json) {
      var request = JSON.parse(json);
      var handler = dialogs[request.kind];
      if (handler) handler(request, function () {});
    };
    try { M.FS.mkdirTree('/sakuzu'); } catch (e) { /* there */ }
    var settings = stored('sakuzu.settings');
    if (settings) M.FS.writeFile('/sakuzu/config_zkwin.txt', base64ToBytes(settings));
    var dictionary = stored('sakuzu.dictionary');
    if (dictionary) M.FS.writeFile('/sakuzu/dic_zk4.txt', base64ToBytes(dictionary));
    var rect = stack.getBoundingClientRect();
    app.width = Math.max(16, Math.floor(rect.width));
    app.height = Math.max(16, Math.floor(rect.height));
    var ratio = window.devicePixelRatio || 1;
    for (var k = 0; k < layers.length; ++k) {
      layers[k].width = Math.round(app.width * ratio);
      layers[k].height = Math.round(app.height * ratio);
      layers[k].style.width = app.width + 'px';
      layers[k].style.height = app.height + 'px';
    }
    M.sakuzuScale = ratio;
    M._sakuzu_program_start(app.width, app.height);
    refresh();
    if (window.ResizeObserver) new ResizeObserver(fit).observe(stack);
    else window.addEventListener('resize', fit);
    // A shipped figure named in the address (sakuzu.html?open=NAME) opens.
    var wanted = new URLSearchParams(location.search).get('open');
    if (wanted && sakuzuFigures[wanted]) openBytes(wanted, base64ToBytes(sakuzuFigures[wanted]), 0);
    app.queue.then(function () {
      app.readyAt = performance.now();
      document.body.setAttribute('data-sakuzu-ready', 'ready');
      offerRecovery();
    });
  }, function () {
    notice(T('failed'));
    document.body.setAttribute('data-sakuzu-ready', 'failed');
  });

  // For the tests: the module's digest, objects and state.
  app.digest = function () { return app.M.UTF8ToString(app.M._sakuzu_program_digest()); };
  app.objects = function () { return JSON.parse(app.M.UTF8ToString(app.M._sakuzu_program_objects())); };
  // For the benchmark: a figure's bytes opened, and pointer events as the
  // drawing area sends them.
  app.open = function (name, bytes) { return openBytes(name, bytes, 0); };
  app.pointer = function (kind, x, y, button, held) { return pointerCall(kind, { x: x, y: y }, button, held); };
  app.idle = function () { return app.queue.then(function () { return app.pending === 0; }); };
})();
