// Every text of the configuration, the title, the questions, the answers and
// the reading at once hold a hostile value (quotes, a backslash, a line break,
// an end tag, a comment opener and placeholder words) in every export variant: every placeholder the supplied templates offer is
// filled, every script and event handler of every page (as the browser reads
// the page) still parses, the pages load without a script error, and each
// text that shows at load shows as typed (no placeholder word in it was filled
// by a later replacement).
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import vm from 'node:vm';
import { exportQuiz, startBrowser, templatesDir, texts, watchConsole } from './helpers.mjs';

// Every text control of the quiz program's configuration.
const controls = [
  'mmoQuizSubtitle', 'mmoWelcome', 'mmoInstructions', 'editGuessCorrect', 'editGuessIncorrect',
  'editRemainingTime', 'editStartReading', 'editShowReadingAgain', 'editTimesUp', 'editClickToShow',
  'editHint', 'editCheck', 'editShow', 'editHelp', 'editNextEx', 'editBack', 'editContents',
  'editTheseAnswersToo', 'editThisMuch', 'editPleaseEnter', 'editTheseWords', 'editNextCorrect',
  'editCorrectList', 'editGraphicURL', 'editNextExURL', 'editContentsURL', 'editPageBGColor',
  'editTitleColor', 'editExBGColor', 'editTextColor', 'editNavBarColor', 'editCorrectFirstTime',
  'editOKCaption', 'editPopupBGColor', 'editYourScoreIs',
];
const allOn = {
  chkIncludeHint: 1, chkIncludeShowAnswer: 1, chkIncludeHelp: 1, chkIncludeBack: 1,
  chkIncludeNextEx: 1, chkIncludeContents: 1, chkShuffleQs: 0,
};

// What shows of a hostile value: everything before its end tag.
const shown = ' it\'s "q" \\ [strTimesUp] [Question] [strPageBGColor] [CheckCaption] x';
const hostile = (control) => `\u00ab${control}\u00bb${shown}\r\ny </script><!--<script> z`;
const hostileTexts = Object.fromEntries(controls.map((c) => [c, hostile(c)]));

// A quiz whose title, questions, answers and reading are hostile too.
function hostileQuiz() {
  const esc = (t) => t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
    .replace(/"/g, '&quot;').replace(/'/g, '&apos;');
  const el = (tag, content) => `<${tag}>${content}</${tag}>`;
  const question = (n) => el('question-record', el('question', esc(hostile(`question${n}`))) +
    el('answer', el('text', esc(hostile(`answer${n}`))) + el('correct', '1') + el('feedback', '')));
  const reading = el('reading', el('include-reading', '0') + el('include-timer', '0') +
    el('time-limit', '1') + el('internal-reading', '1') + el('path-to-reading', '') +
    el('reading-title', esc(hostile('readingTitle'))) + el('reading-text', esc(hostile('readingText'))));
  const doc = el('tavrel-askery-file', el('version', '6') + el('data', el('title', esc(hostile('title'))) +
    reading + el('questions', question(1) + question(2))));
  const file = join(mkdtempSync(join(tmpdir(), 'tavrel-hostile-')), 'hostile.aky');
  writeFileSync(file, doc, 'latin1');
  return file;
}

const variants = [
  { mode: 'frames' },
  { mode: 'frames', reading: 'typed', timer: 1 },
  { mode: 'frames', reading: 'http://example.org/reading.htm', timer: 0 },
  { mode: 'single' },
  { mode: 'single', reading: 'typed', timer: 1 },
  { mode: 'single', reading: 'typed', timer: 0 },
  { mode: 'single', reading: 'http://example.org/reading.htm', timer: 1 },
];

const label = (v) => [v.mode, v.reading ? `reading ${v.reading}` : 'no reading', v.timer ? 'timer' : ''].join(' ').trim();

// Placeholders of the supplied templates: bracketed words that are no
// section markers and no index in the templates' own scripts (an index
// follows a name: "Answers[i]").
function templatePlaceholders() {
  const found = new Set();
  for (const name of readdirSync(templatesDir).filter((n) => n.endsWith('.ht_'))) {
    const text = readFileSync(join(templatesDir, name), 'latin1');
    const words = [...text.matchAll(/(?<!\w)\[([A-Za-z][A-Za-z0-9]*)\]/g)].map((m) => m[1]);
    for (const w of words) if (!text.includes(`[/${w}]`)) found.add(w);
  }
  return [...found];
}

// The scripts and event handlers of a frame as the browser parsed the page.
async function scriptsOf(frame) {
  return frame.evaluate(() => {
    const code = [...document.scripts].filter((s) => !s.src).map((s) => s.text);
    for (const el of document.querySelectorAll('*')) {
      for (const a of el.attributes) if (/^on/i.test(a.name)) code.push(`(function(event){${a.value}\n})`);
    }
    return code;
  });
}

// Syntax errors among scripts.
function syntaxErrors(code) {
  const errors = [];
  for (const c of code) {
    try {
      new vm.Script(c);
    } catch (e) {
      errors.push(`${e.message}: ${c.slice(0, 160)}`);
    }
  }
  return errors;
}

// The texts a student sees in a frame at load: title, body text and buttons.
async function visibleText(frame) {
  return frame.evaluate(() => [
    document.title,
    document.body ? document.body.innerText : '',
    ...[...document.querySelectorAll('input[type=button], input[type=submit], button')].map((b) => b.value || b.innerText),
  ].join('\n'));
}

let browser;
before(async () => { browser = await startBrowser(); });
after(async () => { await browser.close(); });

describe('hostile texts in every placeholder', () => {
  const placeholders = templatePlaceholders();

  for (const v of variants) {
    test(label(v), async () => {
      // Every placeholder is filled, whatever the variant.
      const plain = exportQuiz({ ...v, switches: allOn, texts: { ...texts, editNextExURL: 'next.htm' } });
      for (const file of plain.written) {
        const html = readFileSync(file, 'latin1');
        const left = placeholders.filter((p) => html.includes(`[${p}]`));
        assert.deepEqual(left, [], `${file}: unfilled placeholders`);
      }

      const exported = exportQuiz({ ...v, quiz: hostileQuiz(), switches: allOn, texts: hostileTexts });

      const page = await browser.newPage();
      const problems = watchConsole(page);
      await page.goto(exported.url);
      await page.waitForLoadState('load');
      await page.waitForTimeout(200);
      let seen = 0;
      const altered = [];
      for (const frame of page.frames()) {
        if (!frame.url().startsWith('file:')) continue;
        await frame.waitForLoadState('load');
        assert.deepEqual(syntaxErrors(await scriptsOf(frame)), [], frame.url());
        const text = (await visibleText(frame)).replace(/\u00a0/g, ' ');
        for (const m of text.matchAll(/\u00ab(\w+)\u00bb/g)) {
          seen++;
          const after = text.slice(m.index + m[0].length, m.index + m[0].length + shown.length);
          if (after !== shown) altered.push(`${m[1]} in ${frame.url().replace(/.*\//, '')}: ${after}`);
        }
      }
      assert.ok(seen > 0, 'some hostile text shows at load');
      assert.deepEqual(altered, []);
      assert.equal(await page.evaluate(() => window.broken), undefined);
      // Pictures and pages at the hostile addresses are missing: no script error.
      assert.deepEqual(problems.filter((p) => !p.includes('Failed to load resource')), []);
      await page.close();
    });
  }
});
