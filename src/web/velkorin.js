// The page: settings from the address and the panel, watch mode, full screen, and the
// service worker that keeps the site for offline use.
import { loadModule, drawOn, passText, cString, sizeCanvas, clockSeed, keep } from './module.js';

const SETTINGS_KEY = 'velkorin-settings';
const $ = (id) => document.getElementById(id);

function storedSettings() {
  try {
    const stored = JSON.parse(localStorage.getItem(SETTINGS_KEY));
    return stored && typeof stored === 'object' ? stored : {};
  } catch {
    return {};
  }
}

// Each setting from the address, else from the panel's last choice; the module reads the
// text and says when it took the default instead.
function applySettings(wasm) {
  const query = new URLSearchParams(location.search), stored = storedSettings();
  const rows = [], notes = [];
  for (let i = 0; i < wasm.SettingCount(); ++i) {
    const row = {
      index: i,
      name: cString(wasm.SettingName(i)),
      label: cString(wasm.SettingLabel(i)),
      flag: wasm.SettingIsFlag(i) !== 0,
      range: cString(wasm.SettingRange(i)),
      fallback: cString(wasm.SettingDefault(i)),
    };
    const given = query.has(row.name) ? query.get(row.name) : stored[row.name];
    if (given !== undefined && given !== null && wasm.SettingSet(i, passText(String(given))) !== 0)
      notes.push(`${row.name} "${given}" is not ${row.range}: ` +
        (row.fallback === '' ? 'the clock gives it.' : `the default ${row.fallback} is used.`));
    row.value = cString(wasm.SettingValue(i));
    rows.push(row);
  }
  return { rows, notes };
}

function buildPanel(rows, notes) {
  const form = $('settings'), list = $('settings-rows');
  for (const row of rows) {
    const label = document.createElement('label');
    const input = document.createElement('input');
    input.name = row.name;
    if (row.flag) {
      input.type = 'checkbox';
      input.checked = row.value === '1';
    } else {
      input.type = 'text';
      input.inputMode = 'decimal';
      input.value = row.value;
      input.placeholder = row.fallback;
      input.title = row.range;
    }
    label.append(input, ` ${row.label}`);
    if (!row.flag) label.append(` (${row.range})`);
    list.append(label);
  }
  $('settings-note').textContent = notes.join(' ');
  $('notice').textContent = notes.join(' ');
  $('settings-toggle').addEventListener('click', () => {
    form.hidden = !form.hidden;
    $('settings-toggle').setAttribute('aria-expanded', String(!form.hidden));
  });
  // The panel's values are kept and the address keeps only the mode, so the two never
  // disagree after a reload.
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const values = {};
    for (const row of rows) {
      const input = form.elements[row.name];
      if (row.flag) values[row.name] = input.checked ? '1' : '0';
      else if (input.value.trim() !== '') values[row.name] = input.value.trim();
    }
    keep(SETTINGS_KEY, values);
    reloadWithMode();
  });
  $('settings-defaults').addEventListener('click', () => {
    keep(SETTINGS_KEY);
    reloadWithMode();
  });
}

function reloadWithMode() {
  const mode = new URLSearchParams(location.search).get('mode');
  location.replace(mode ? `?mode=${encodeURIComponent(mode)}` : location.pathname);
}

function deviceArea(element) {
  const box = element.getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
  return [Math.floor(box.width * ratio), Math.floor(box.height * ratio)];
}

function blank(canvas) {
  const context = canvas.getContext('2d', { alpha: false });
  context.fillStyle = '#000000';
  context.fillRect(0, 0, canvas.width, canvas.height);
}

// The saver in a tab: one timer at a time, nothing runs between steps. A new size or pixel
// ratio is taken just before the next question.
function runWatch(wasm, seed) {
  const canvas = $('watch'), stage = $('stage');
  let [width, height] = deviceArea(stage), resized = false, steps = 0;
  sizeCanvas(canvas, width, height);
  blank(canvas);
  wasm.WatchStart(seed, width, height, Math.round((window.devicePixelRatio || 1) * 100));
  window.addEventListener('resize', () => { resized = true; });

  function step() {
    if (resized && wasm.WatchPhase() === 0) {
      resized = false;
      [width, height] = deviceArea(stage);
      sizeCanvas(canvas, width, height);
      blank(canvas);
      wasm.WatchResize(width, height, Math.round((window.devicePixelRatio || 1) * 100));
    }
    const delay = drawOn(canvas, () => wasm.WatchStep());
    canvas.dataset.step = String(++steps);
    setTimeout(step, delay);
  }
  step();
}

// Full screen for the whole page, so the controls can hide; the display stays on while a
// puzzle is shown full screen.
function setUpFullScreen() {
  const button = $('fullscreen');
  if (!document.documentElement.requestFullscreen) {
    button.hidden = true;
    return;
  }
  let lock = null;
  async function keepAwake() {
    if (!document.fullscreenElement || lock || !navigator.wakeLock) return;
    try {
      lock = await navigator.wakeLock.request('screen');
      lock.addEventListener('release', () => { lock = null; });
    } catch {
      lock = null; // refused (battery saver, hidden tab): the screen may dim, nothing more
    }
  }
  button.addEventListener('click', () => {
    document.documentElement.requestFullscreen().catch(() => {});
  });
  document.addEventListener('fullscreenchange', () => {
    if (document.fullscreenElement) keepAwake();
    else if (lock) lock.release().catch(() => {});
  });
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') keepAwake();
  });
}

async function main() {
  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch(() => {});
  const wasm = await loadModule();
  const { rows, notes } = applySettings(wasm);
  buildPanel(rows, notes);
  const seed = wasm.SettingsHaveSeed() ? wasm.SettingsSeed() >>> 0 : clockSeed();
  const practice = new URLSearchParams(location.search).get('mode') === 'practice';
  document.body.classList.add(practice ? 'practice' : 'watch');
  $('mode-switch').href = practice ? '?' : '?mode=practice';
  $('mode-switch').textContent = practice ? 'Watch' : 'Practice';
  if (practice) {
    $('practice').hidden = false;
    const { runPractice } = await import('./practice.js');
    runPractice(wasm, seed);
  } else {
    setUpFullScreen();
    runWatch(wasm, seed);
  }
}

main().catch((error) => {
  $('notice').textContent = `Velkorin could not start: ${error.message}`;
});
